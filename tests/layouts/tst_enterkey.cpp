// window test
// Return and the keypad's Enter work the focused button of every window,
// as Space does; where no button has the focus they do nothing.
#include "gamefixture.h"
#include "layouts/form2.h"
#include "layouts/label.h"
#include "results/form3.h"
#include "testmain.h"

#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

namespace {

// The key as the keyboard sends it to a window, which hands it to the
// control with the focus; the keypad's Enter carries the keypad modifier.
void press(QWidget *window, Qt::Key key)
{
    const Qt::KeyboardModifiers modifiers
        = key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(window->windowHandle(), key, modifiers);
}

void addKeys(bool space)
{
    QTest::addColumn<Qt::Key>("key");
    QTest::newRow("Return") << Qt::Key_Return;
    QTest::newRow("keypad Enter") << Qt::Key_Enter;
    if (space)
        QTest::newRow("Space") << Qt::Key_Space;
}

} // namespace

class TestEnterKey : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QPointer<QWidget> m_results;

    // The results window, its ranking file in `folder`; opened from the
    // list command (kekka 0) it is view only, the focus on "戻る".
    Form3 *openResults(Module1 &module, RecordingPlatform &platform, const QString &folder)
    {
        auto *form = new Form3(module, platform, RankingLocation(folder));
        m_results = form;
        form->show();
        form->activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(form)); }();
        return form;
    }

    static bool destroyed(const QPointer<QWidget> &window)
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }

private slots:
    void cleanup()
    {
        delete m_results.data();
        QCOMPARE(visibleTopLevels(), 0);
    }

    // After the greeting the focus is on スタート: the key starts a game.
    void startsTheGame_data() { addKeys(true); }
    void startsTheGame()
    {
        QFETCH(Qt::Key, key);
        GameFixture game;
        game.show();
        Form1 &f = *game.form;
        QCOMPARE(QApplication::focusWidget(), f.ui.Command1);
        press(&f, key);
        QCOMPARE(f.mon, 1);
        QCOMPARE(f.ui.monbang->text(), QStringLiteral("第 1問"));
        QVERIFY(f.ui.kotae[0]->isEnabled());
        QCOMPARE(f.Timer1.interval(), 2000);
    }

    // "戻る" of the results window closes it; "戻る" of the help window
    // hides it.
    void backClosesTheResults_data() { addKeys(true); }
    void backClosesTheResults()
    {
        QFETCH(Qt::Key, key);
        Module1 module;
        RecordingPlatform platform;
        QPointer<QWidget> form = openResults(module, platform, m_dir.path());
        auto *back = static_cast<Form3 *>(form.data())->ui.Command1;
        QCOMPARE(QApplication::focusWidget(), back);
        press(form, key);
        QVERIFY(destroyed(form));
    }

    void backHidesTheHelp_data() { addKeys(true); }
    void backHidesTheHelp()
    {
        QFETCH(Qt::Key, key);
        QWidget main;
        Form2 help(&main);
        help.show();
        help.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&help));
        QCOMPARE(QApplication::focusWidget(), help.ui.Command1);
        press(&help, key);
        QVERIFY(!help.isVisible());
        QVERIFY(main.isVisible());
        main.close();
    }

    // The button goes down on the key's press and clicks on its release;
    // a held key clicks once.
    void clicksOnRelease()
    {
        GameFixture game;
        game.show();
        QPushButton *start = game.form->ui.Command1;
        QSignalSpy clicks(start, &QPushButton::clicked);
        QTest::keyPress(start, Qt::Key_Return);
        QVERIFY(start->isDown());
        QCOMPARE(clicks.count(), 0);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
        QCoreApplication::sendEvent(start, &repeat);
        QTest::keyRelease(start, Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
        QVERIFY(!start->isDown());
        // A release alone, as after Enter in another window, clicks nothing.
        QTest::keyRelease(start, Qt::Key_Return);
        QCOMPARE(clicks.count(), 1);
    }

    // Enter in the name box saves and closes; a held key saves once, its
    // repeats are no new presses.
    void nameBoxSavesOnce()
    {
        const QTemporaryDir folder;
        QFile file(folder.filePath("zenta.rnk"));
        Module1 module;
        module.kekka = 30;
        RecordingPlatform platform;
        QPointer<QWidget> form = openResults(module, platform, folder.path());
        QCOMPARE(QApplication::focusWidget(), static_cast<Form3 *>(form.data())->ui.Text1);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
        QCoreApplication::sendEvent(QApplication::focusWidget(), &repeat);
        QVERIFY(!destroyed(form));
        QCOMPARE(file.size(), 0);
        press(form, Qt::Key_Return);
        QVERIFY(destroyed(form));
        QCOMPARE(file.size(), 900);
    }

    // No button is a default button: with the focus elsewhere the keys do
    // nothing, in the main window and in the results window.
    void nothingWithoutAFocusedButton_data() { addKeys(false); }
    void nothingWithoutAFocusedButton()
    {
        QFETCH(Qt::Key, key);
        {
            GameFixture game;
            game.show();
            Form1 &f = *game.form;
            f.ui.Command1->clearFocus();
            QVERIFY(!QApplication::focusWidget());
            press(&f, key);
            QCOMPARE(f.mon, 0);
            QCOMPARE(f.ui.monbang->text(), QStringLiteral("番  号"));
        }
        Module1 module;
        RecordingPlatform platform;
        QPointer<QWidget> results = openResults(module, platform, m_dir.path());
        auto *form3 = static_cast<Form3 *>(results.data());
        form3->ui.Command1->clearFocus();
        QVERIFY(!QApplication::focusWidget());
        press(form3, key);
        QVERIFY(!destroyed(results));
        QVERIFY(results->isVisible());
        form3->Command1_Click();
        QVERIFY(destroyed(results));
    }
};

ZENTA_TEST_MAIN(TestEnterKey)
#include "tst_enterkey.moc"
