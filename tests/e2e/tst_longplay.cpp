// Long play: 1,000 whole games through the main window's handlers, in all
// four ranges, each ending in the results window, where a name is stored,
// dropped or the lists cleared. The test keeps its own Best 5 and its own
// three best of each range and holds the program to them after every game.
#include "gamefixture.h"
#include "layouts/label.h"
#include "results/form3.h"
#include "results/rankingrecord.h"
#include "testmain.h"

#include <QFile>
#include <QInputMethodEvent>
#include <QRandomGenerator>

#include <algorithm>

namespace {

struct Row
{
    QString name;
    int score = 0;
};

using BestFive = std::array<Row, 5>;

// What the player does in the results window at the end of a game.
enum class Leave { Enter, Back, CloseBox, ClearOk, ClearCancel };

} // namespace

class TestLongPlay : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QCOMPARE(visibleTopLevels(), 0); }

    void thousandGames()
    {
        GameFixture game;
        game.show();
        const qsizetype topLevels = QApplication::topLevelWidgets().size();
        QRandomGenerator random(1000);
        std::array<BestFive, 4> best{};
        std::array<std::array<int, 3>, 4> own{};
        const QString path = game.rankingFolder.filePath("zenta.rnk");

        int total = 0;
        Leave leave = Leave::Back;
        QString name;
        game.onResults = [&](Form3 &results) {
            QCOMPARE(results.ui.jikan9->text().trimmed().toInt(), total);
            if (leave == Leave::ClearOk || leave == Leave::ClearCancel) {
                game.platform.answers
                    = {leave == Leave::ClearOk ? QMessageBox::Ok : QMessageBox::Cancel};
                results.Command2_Click();
                return;
            }
            if (!results.ui.Text1->isVisible())
                return; // nothing to name: the fixture leaves by "戻る"
            QInputMethodEvent commit;
            commit.setCommitString(name);
            QCoreApplication::sendEvent(results.ui.Text1, &commit);
            if (leave == Leave::Enter) {
                QTest::keyClick(results.ui.Text1, Qt::Key_Return);
            } else if (leave == Leave::Back) {
                QTest::mouseClick(results.ui.Command1, Qt::LeftButton);
            } else {
                QCloseEvent closeBox;
                QCoreApplication::sendEvent(results.windowHandle(), &closeBox);
            }
        };

        for (int g = 0, games = rounds(1000); g < games; ++g) {
            // Now and then another range, by the button or the menu.
            if (random.bounded(6) == 0)
                game.form->Command3_Click();
            else if (random.bounded(6) == 0)
                game.form->en_Click(random.bounded(4));
            const int hani = game.module.hani;
            // Now and then the list is still open when the game ends.
            if (random.bounded(40) == 0)
                game.form->m1c_Click();

            const int roll = random.bounded(100);
            leave = roll < 2    ? Leave::ClearOk
                : roll < 4      ? Leave::ClearCancel
                : roll < 10     ? Leave::CloseBox
                : roll % 2 == 0 ? Leave::Enter
                                : Leave::Back;
            name = roll % 7 == 0 ? QString() : QStringLiteral("p%1").arg(g);

            // Five questions: some ticks, then an answer, or a time-out
            // at the eleventh tick.
            const int modalBefore = game.modalResults;
            game.form->Command1_Click();
            total = 0;
            for (int q = 0; q < 5; ++q) {
                const int ticks = random.bounded(12) == 0 ? 11 : random.bounded(11);
                for (int t = 0; t < ticks; ++t)
                    game.form->Timer1_Timer();
                if (ticks == 11)
                    continue;
                const bool right = random.bounded(4) != 0;
                if (right)
                    total += 10 - ticks; // before the window that the last answer opens
                game.answer(right);
            }
            QCOMPARE(game.modalResults, modalBefore + 1);

            // The test's own lists: the three best and the Best 5.
            if (total > 0) {
                auto &mine = own[hani];
                const auto at
                    = std::find_if(mine.begin(), mine.end(), [&](int s) { return total >= s; });
                if (at != mine.end()) {
                    std::move_backward(at, mine.end() - 1, mine.end());
                    *at = total;
                }
                auto &rows = best[hani];
                const auto place = std::find_if(rows.begin(), rows.end(),
                                                [&](const Row &r) { return total >= r.score; });
                if (place != rows.end() && (leave == Leave::Enter || leave == Leave::Back)) {
                    std::move_backward(place, rows.end() - 1, rows.end());
                    *place = Row{name, total};
                }
            }
            if (leave == Leave::ClearOk)
                best = {};

            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(QApplication::topLevelWidgets().size(), topLevels);
            for (int r = 0; r < 4; ++r)
                for (int k = 0; k < 3; ++k)
                    QCOMPARE(game.module.jikokiroku[r][k], own[r][k]);

            // The file: whole records, each range in order and as the
            // test's Best 5 says (empty until the first save or clearing).
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray bytes = file.readAll();
            if (bytes.isEmpty())
                continue;
            QVERIFY(bytes.size() % recordSize == 0 && bytes.size() >= 20 * recordSize);
            for (int r = 0; r < 4; ++r) {
                for (int n = 0; n < 5; ++n) {
                    const kiroku row
                        = decodeRecord(bytes.mid((r * 5 + n) * recordSize, recordSize));
                    if (n > 0)
                        QVERIFY(row.jikan
                                <= decodeRecord(bytes.mid((r * 5 + n - 1) * recordSize, recordSize))
                                       .jikan);
                    QCOMPARE(row.jikan, best[r][n].score);
                    QCOMPARE(row.namae.trimmed(), best[r][n].name);
                }
            }
        }
    }
};

ZENTA_TEST_MAIN(TestLongPlay)
#include "tst_longplay.moc"
