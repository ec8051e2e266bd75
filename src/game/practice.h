#pragma once

#include "game/question.h"
#include "layouts/practicemenu.h"
#include "review/classtallywindow.h"
#include "review/runtally.h"
#include "review/tallywindow.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <array>
#include <optional>

class Label;
class Platform;
class QMainWindow;

// Practice beside the game: games without the clock, games of the relations
// that the player got wrong, and the tally of the run, all from the menu
// "練習". A practice game is judged and marked as any game, but it has no
// countdown, counts no points and ends without the results window: its
// score is never placed and nothing is stored. What it keeps of the run,
// the missed relations and the tally, it keeps for each grade (学年)
// apart, and shows the grade in play: the game's while one runs, else the
// grade chosen.
class Practice : public QObject
{
    Q_OBJECT
public:
    explicit Practice(Platform &platform);

    PracticeMenuUi ui;

    // Adds the menu to the main window before the menu `before`; `points`
    // is the label of the points still to be won, `log` the class's log.
    void setUp(QMainWindow *window, QMenu *before, Label *points, LogStorageSource log);

    // A game of `grade` begins (Start): a practice game while "時間なしで
    // 練習" is checked, or when "まちがえた関係を練習" asked for it.
    void startGame(int grade = defaultGrade);
    // The grade chosen has changed while no game runs, or a game is over:
    // "まちがえた関係を練習" and the tallies follow it.
    void showGrade(int grade);
    // The grade in play.
    int grade() const { return m_grade; }
    // The game on show is a practice game.
    bool running() const { return m_running; }
    // The answer buttons that the game's questions are drawn among (the
    // `answers` of makeQuestion): the grade's, or those missed in it.
    KindSet kinds() const { return m_kinds; }
    // A question has been put on show: in practice the points label says
    // that no points are counted.
    void showQuestion();
    // A question of relation `seikai` was answered with button `answer`, or
    // timed out (KeptQuestion::timedOut); judged by the game's grade.
    void record(int seikai, int answer);
    // The game is over. A practice game tells the player how many answers
    // were right, and the caller neither places nor stores a score: true.
    // A normal game: false, and nothing happens.
    bool endGame(QWidget *parent);

    // The answer button is in the set that "まちがえた関係を練習" draws
    // from in the grade (the grade in play by default): a question it is
    // right for was answered wrong or timed out, and not answered right
    // twice in a row since.
    bool missed(int answer) const { return missed(answer, m_grade); }
    bool missed(int answer, int grade) const { return kept(grade).missed[answer]; }
    // The tally of the grade in play, or of another.
    const RunTally &tally() const { return tally(m_grade); }
    const RunTally &tally(int grade) const { return kept(grade).tally; }

    // 成績表, not modal; there is never more than one.
    void openTally();
    TallyWindow *tallyWindow() const { return m_tallyWindow.data(); }
    // クラスの成績表, not modal; there is never more than one. Opening it
    // again reads the log again.
    void openClassTally();
    ClassTallyWindow *classTallyWindow() const { return m_classTally.data(); }

signals:
    // "まちがえた関係を練習": the main window starts a game as Start does.
    void startRequested();

private:
    Platform &m_platform;
    QMainWindow *m_window = nullptr;
    Label *m_points = nullptr;
    std::optional<QFont> m_pointsFont; // the label's own font while practice shows

    // What the run keeps of a grade.
    struct Kept
    {
        KindSet missed; // by the right answer's button
        std::array<int, kindCount> rightInRow{};
        RunTally tally;
    };
    Kept &kept(int grade);
    const Kept &kept(int grade) const;

    bool m_missedAsked = false; // the next game practises the missed relations
    bool m_running = false;
    int m_grade = defaultGrade;     // in play
    int m_gameGrade = defaultGrade; // of the last game begun
    KindSet m_kinds = allKinds();
    int m_rightInGame = 0;

    std::array<Kept, gradeCount> m_kept{Kept{{}, {}, RunTally(1)}, Kept{{}, {}, RunTally(2)},
                                        Kept{{}, {}, RunTally(3)}};
    QPointer<TallyWindow> m_tallyWindow;
    LogStorageSource m_log;
    QPointer<ClassTallyWindow> m_classTally;
};
