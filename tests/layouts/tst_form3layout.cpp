// window test
// The results window's controls as the window is created, written out by
// hand from its designed layout; its captions that never change, checked
// again once the window has loaded; and the name box's length.
#include "common/twips.h"
#include "designedlayout.h"
#include "layouts/form3layout.h"
#include "layouts/label.h"
#include "recordingplatform.h"
#include "results/form3.h"
#include "results/module1.h"
#include "testmain.h"

#include <QClipboard>
#include <QDialog>
#include <QPointer>
#include <QTemporaryDir>

class TestForm3Layout : public QObject
{
    Q_OBJECT

    QDialog *m_window = nullptr;
    Form3Ui m_ui;

private slots:
    void init()
    {
        m_window = new QDialog;
        m_ui = Form3Ui();
        m_ui.setupUi(m_window);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanup()
    {
        delete m_window;
        QCOMPARE(visibleTopLevels(), 0);
    }

    // No text colour: the desktop's; the background is the window's light
    // green unless given. "Window font" is 9 points.
    void controls_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("twipsBox");
        QTest::addColumn<double>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("back");
        QTest::addColumn<int>("align"); // 0: left, 1: centred, 2: right; labels only
        QTest::addColumn<bool>("autoSize");

        const QColor none, green(128, 255, 128), red(255, 0, 0);
        auto row = [&](const char *name, const QString &caption, QRect box, double points,
                       bool bold, QColor text, QColor back, int align = 0, bool autoSize = false) {
            QTest::newRow(name) << caption << box << points << bold << text << back << align
                                << autoSize;
        };
        row("Label1", "成績一覧", {120, 120, 1695, 405}, 20.25, true, red, QColor(0, 128, 0), 0,
            true);
        row("Command2", "初期化", {3240, 120, 732, 372}, 9, false, none, none);
        row("Label4", "ｘの値", {600, 600, 720, 285}, 14.25, false, QColor(0, 0, 192), green, 0,
            true);
        row("enz0", "法", {1560, 600, 1695, 255}, 13.5, false, none, green, 1);
        row("jyun(0)", "１", {240, 1200, 372, 372}, 15.75, true, none, green, 1);
        row("namae(0)", "名前", {960, 1200, 1935, 375}, 13.5, false, none, green);
        row("jikan(0)", " 0", {3120, 1200, 615, 375}, 15.75, true, none, green, 2);
        row("Label3", "あなたの記録", {120, 3840, 1920, 315}, 15.75, true, QColor(0, 0, 255),
            QColor(0, 255, 255), 0, true);
        row("jyun1(0)", "1", {2400, 3840, 375, 375}, 15.75, true, none, green, 1);
        row("jikan1(0)", " 0", {3120, 3840, 615, 375}, 15.75, true, none, green, 2);
        row("Label2", "今回の記録", {240, 4440, 972, 252}, 9, false, red, green);
        row("jikan9", "0", {480, 4800, 855, 375}, 15.75, true, none, green, 2);
        row("Label6", "　１番です。名前を入力して下さい。", {120, 5400, 3852, 372}, 12, false,
            QColor(0, 64, 64), green);
        row("Text1", "", {1320, 5760, 1815, 405}, 13.5, false, none, QColor(128, 128, 255));
        row("Command1", "戻る", {3240, 5760, 732, 372}, 10.5, false, none, none);
    }

    void controls()
    {
        QFETCH(QString, caption);
        QFETCH(QRect, twipsBox);
        QFETCH(double, points);
        QFETCH(bool, bold);
        QFETCH(QColor, text);
        QFETCH(QColor, back);
        QFETCH(int, align);
        QFETCH(bool, autoSize);
        const QList<QWidget *> found = m_window->findChildren<QWidget *>(QTest::currentDataTag());
        QCOMPARE(found.size(), 1);
        QWidget *w = found[0];
        checkDesignedControl(w, twipsBox, points, bold, text, back, autoSize);
        if (QTest::currentTestFailed())
            return;

        if (auto *label = qobject_cast<Label *>(w)) {
            QCOMPARE(label->text(), caption);
            const Qt::Alignment expected[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, expected[align]);
            QCOMPARE(label->autoSize(), autoSize);
            QVERIFY(label->autoFillBackground());
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            QCOMPARE(button->text(), caption);
        } else {
            QCOMPARE(qobject_cast<QLineEdit *>(w)->text(), caption);
        }
    }

    void window()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("ヒョウミ1(z.Aoba)"));
        QCOMPARE(m_window->size(), QSize(272, 418));
        QCOMPARE(m_window->palette().color(QPalette::Window), QColor(128, 255, 128));
    }

    // The headings and the buttons keep their captions once the window has
    // loaded, in name entry and in view only.
    void fixedCaptions_data()
    {
        QTest::addColumn<int>("kekka");
        QTest::newRow("name entry") << 30;
        QTest::newRow("view only") << 0;
    }

    void fixedCaptions()
    {
        QFETCH(int, kekka);
        const QTemporaryDir dir;
        Module1 module;
        module.kekka = static_cast<qint16>(kekka);
        RecordingPlatform platform;
        Form3 form(module, platform, RankingLocation(dir.path()));
        QCOMPARE(form.ui.Text1->isVisibleTo(&form), kekka > 0);
        QCOMPARE(form.windowTitle(), QStringLiteral("ヒョウミ1(z.Aoba)"));
        QCOMPARE(form.ui.Label1->text(), QStringLiteral("成績一覧"));
        QCOMPARE(form.ui.Label2->text(), QStringLiteral("今回の記録"));
        QCOMPARE(form.ui.Label3->text(), QStringLiteral("あなたの記録"));
        QCOMPARE(form.ui.Label4->text(), QStringLiteral("ｘの値"));
        QCOMPARE(form.ui.Command1->text(), QStringLiteral("戻る"));
        QCOMPARE(form.ui.Command2->text(), QStringLiteral("初期化"));
        QCOMPARE(form.ui.jyun1[0]->text(), QStringLiteral("1"));
    }

    // The name box takes a paste of any length, far beyond Qt's default
    // of 32767 characters.
    void nameBoxTakesAnyLength()
    {
        const QString name(100000, u'あ');
        QApplication::clipboard()->setText(name);
        m_ui.Text1->setFocus();
        m_ui.Text1->paste();
        QCOMPARE(m_ui.Text1->text().size(), name.size());
    }
};

ZENTA_TEST_MAIN(TestForm3Layout)
#include "tst_form3layout.moc"
