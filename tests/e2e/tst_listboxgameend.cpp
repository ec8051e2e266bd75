// window test
// A game that ends while a message box of the list window is open, with
// the desktop's real message boxes: the box ends as if cancelled, the list
// window goes, and the results window for the new score opens as usual.
#include "common/platform.h"
#include "common/randomsource.h"
#include "game/form1.h"
#include "results/form3.h"
#include "results/module1.h"
#include "results/rankingrecord.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestListBoxGameEnd : public QObject
{
    Q_OBJECT

private:
    // Each message box and each modal results window as it shows: the
    // boxes are read and answered, the confirmation of 初期化 is left open
    // (or answered OK) and the results window takes a name.
    std::function<void(QWidget *)> m_onShow;
    QStringList m_texts;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show && widget && widget->isWindow()
            && (qobject_cast<QMessageBox *>(widget) || qobject_cast<Form3 *>(widget))) {
            // Acted upon from inside the window's own event loop.
            QTimer::singleShot(0, widget, [this, window = QPointer<QWidget>(widget)] {
                if (window && window->isVisible())
                    m_onShow(window);
            });
        }
        return false;
    }

private slots:
    void initTestCase() { qApp->installEventFilter(this); }
    void cleanupTestCase() { qApp->removeEventFilter(this); }

    // Question 5 times out while the list window has its 初期化
    // confirmation open, or, after OK, its report that the clearing failed.
    void gameEndsUnderTheListWindowsBox_data()
    {
        QTest::addColumn<bool>("clearingFails");
        QTest::newRow("confirmation open") << false;
        QTest::newRow("report of a failed clearing open") << true;
    }

    void gameEndsUnderTheListWindowsBox()
    {
        QFETCH(bool, clearingFails);
        const QString confirmation = QStringLiteral("成績一覧の名前と時間を消去しますか？");
        const QString failure = QStringLiteral("成績一覧を保存できませんでした。");
        QTemporaryDir folder;
        const QString path = folder.filePath("zenta.rnk");
        QByteArray before;
        for (int i = 0; i < 20; ++i)
            before += encodeRecord(kiroku{QStringLiteral("old"), 30});
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(before) == before.size());
        }

        Module1 module;
        DesktopPlatform platform;
        ClockRandom random;
        auto form
            = std::make_unique<Form1>(module, platform, random, RankingLocation(folder.path()));
        QPointer<Form3> list;
        QPointer<Form3> results;
        bool listGoneAtResults = false;
        m_texts.clear();
        m_onShow = [&](QWidget *window) {
            if (auto *box = qobject_cast<QMessageBox *>(window)) {
                m_texts << box->text();
                const bool listBox = box->parent() == list;
                if (listBox && box->text() == confirmation && clearingFails) {
                    // The file turns into a folder: the clearing cannot
                    // write it and says so.
                    QVERIFY(QFile::rename(path, path + ".kept") && QDir().mkdir(path));
                    box->button(QMessageBox::Ok)->click();
                } else if (listBox) {
                    if (box->text() == failure) // the file back for the save
                        QVERIFY(QDir().rmdir(path) && QFile::rename(path + ".kept", path));
                    // Left open; question 5 runs out of time meanwhile.
                    while (form->Timer1.interval() != 0)
                        form->Timer1_Timer();
                } else {
                    box->button(QMessageBox::Ok)->click(); // the greeting
                }
                return;
            }
            auto *shown = qobject_cast<Form3 *>(window);
            if (!shown->isModal())
                return;
            results = shown;
            // The list window and its box are hidden; they go once the box
            // has returned.
            listGoneAtResults = list && !list->isVisible();
            for (const QMessageBox *listBox :
                 list ? list->findChildren<QMessageBox *>() : QList<QMessageBox *>())
                listGoneAtResults = listGoneAtResults && !listBox->isVisible();
            QTest::keyClicks(shown->ui.Text1, QStringLiteral("kurasu"));
            QTest::keyClick(shown->ui.Text1, Qt::Key_Return);
        };

        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->Command1_Click();
        for (int q = 0; q < 4; ++q)
            form->kotae_Click(form->seikai);
        form->m1c_Click();
        list = form->findChild<Form3 *>();
        QVERIFY(list && list->isVisible());
        list->ui.Command2->click(); // returns when the confirmation has

        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(list.isNull());
        QVERIFY(results.isNull());
        QVERIFY(listGoneAtResults);
        QCOMPARE(m_texts.count(confirmation), 1);
        QCOMPARE(m_texts.count(failure), clearingFails ? 1 : 0);
        // Nothing cleared; the new score stored under its name, first in
        // range 0.
        const QByteArray after = readAll(path);
        QCOMPARE(after.first(12), encodeRecord(kiroku{QStringLiteral("kurasu"), 40}));
        QCOMPARE(after.mid(12, 48), before.first(48));
        QCOMPARE(after.mid(60, 180), before.mid(60, 180));
        QCOMPARE(module.kekka, 40);

        form.reset();
        QCOMPARE(visibleTopLevels(), 0);
    }
};

ZENTA_TEST_MAIN(TestListBoxGameEnd)
#include "tst_listboxgameend.moc"
