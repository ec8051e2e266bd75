// window test
// Whole games played through the main window into the results window, and
// the list command beside it.
#include "gamefixture.h"
#include "layouts/label.h"
#include "results/form3.h"
#include "results/rankingrecord.h"
#include "testmain.h"

#include <QFile>
#include <QInputMethodEvent>

namespace {

QList<Form3 *> resultsWindows()
{
    QList<Form3 *> list;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<Form3 *>(w))
            list << f;
    return list;
}

// Every question answered right before the first tick: 50 points.
void playPerfectGame(GameFixture &game)
{
    QTest::mouseClick(game.form->ui.Command1, Qt::LeftButton);
    for (int q = 0; q < 5; ++q)
        game.answer(true);
}

} // namespace

class TestResultsGame : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(visibleTopLevels(), 0); }

    // The end of a game opens the window modally for a name; Enter stores
    // it, the restart message follows, and "一覧" shows the row afterwards.
    void nameAfterAGameShowsInTheList()
    {
        GameFixture game;
        game.show();
        game.form->en_Click(1);
        int boxesWhileOpen = -1;
        game.onResults = [&](Form3 &results) {
            QCOMPARE(QApplication::activeModalWidget(), &results);
            QCOMPARE(results.ui.jikan9->text(), " 50");
            QCOMPARE(results.ui.enz0->text(), "１～５");
            QCOMPARE(results.ui.Label6->text(), " 1番です。名前を入力して下さい。");
            QCOMPARE(QApplication::focusWidget(), results.ui.Text1);
            QInputMethodEvent commit;
            commit.setCommitString("山田たろう");
            QCoreApplication::sendEvent(results.ui.Text1, &commit);
            saveShot(&results, "form3-after-game");
            boxesWhileOpen = int(game.platform.boxes.size());
            QTest::keyClick(results.ui.Text1, Qt::Key_Enter);
        };
        playPerfectGame(game);
        QCOMPARE(game.modalResults, 1);
        QVERIFY(resultsWindows().isEmpty());
        QVERIFY(boxesWhileOpen >= 0);
        QCOMPARE(game.platform.titles().mid(boxesWhileOpen).first(), "再スタート");

        QFile file(game.rankingFolder.filePath("zenta.rnk"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 900);
        QCOMPARE(bytes.mid(5 * 12, 12), encodeRecord(kiroku{"山田たろう", 50}));

        game.form->ui.m1c->trigger();
        const QList<Form3 *> shown = resultsWindows();
        QCOMPARE(shown.size(), 1);
        QVERIFY(!shown[0]->isModal());
        QCOMPARE(shown[0]->ui.namae[0]->text().trimmed(), "山田たろう");
        QCOMPARE(shown[0]->ui.jikan9->text(), " 0");
        // A second opening only brings the same window to the front.
        QTest::mouseClick(game.form->ui.tokutenyo, Qt::LeftButton);
        QCOMPARE(resultsWindows(), shown);
        saveShot(shown[0], "form3-list-after-game");
    }

    // A game that ends while "一覧" is open closes that window and opens a
    // fresh, modal one for the new score.
    void gameEndingWhileTheListIsOpen()
    {
        GameFixture game;
        game.show();
        game.form->m1c_Click();
        QPointer<Form3> list = resultsWindows().value(0);
        QVERIFY(list && list->isVisible());
        int windowsAtEnd = 0;
        game.onResults = [&](Form3 &results) {
            QVERIFY(list.isNull());
            windowsAtEnd = int(resultsWindows().size());
            QVERIFY(results.isModal());
            QCOMPARE(results.ui.jikan9->text(), " 50");
            QVERIFY(results.ui.Text1->isVisible());
        };
        playPerfectGame(game);
        QCOMPARE(game.modalResults, 1);
        QCOMPARE(windowsAtEnd, 1);
        QVERIFY(resultsWindows().isEmpty());
    }

    // A game of 0 points still opens the window, modally, only to view.
    void zeroPointGame()
    {
        GameFixture game;
        game.show();
        bool viewOnly = false;
        game.onResults = [&](Form3 &results) {
            viewOnly = !results.ui.Text1->isVisible() && results.ui.jikan9->text() == " 0";
        };
        QTest::mouseClick(game.form->ui.Command1, Qt::LeftButton);
        for (int q = 0; q < 5; ++q)
            game.answer(false);
        QCOMPARE(game.modalResults, 1);
        QVERIFY(viewOnly);
        QCOMPARE(game.platform.count("再スタート"), 1);
        QCOMPARE(QFileInfo(game.rankingFolder.filePath("zenta.rnk")).size(), 0);
    }
};

ZENTA_TEST_MAIN(TestResultsGame)
#include "tst_resultsgame.moc"
