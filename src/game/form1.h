#pragma once

#include "common/intervaltimer.h"
#include "game/classlogwriter.h"
#include "game/practice.h"
#include "game/question.h"
#include "layouts/form1layout.h"
#include "layouts/form2.h"
#include "results/rankinglocation.h"
#include "review/reviewwindow.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <optional>

struct Module1;
class Platform;
class RandomSource;
class QWindow;
class Form3;

// The main window: the game itself. Its variables and handlers keep the
// names the game has always had; the handlers are public so that tests can
// drive them the way events do.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    // `ranking` tells the results window where the ranking file may live.
    Form1(Module1 &module, Platform &platform, RandomSource &random, const RankingLocation &ranking,
          QWidget *parent = nullptr);
    ~Form1() override;

    Form1Ui ui;
    IntervalTimer Timer1;
    Practice practice; // the menu "練習" and what it keeps
    // The class's log, beside the ranking file in use; every finished game
    // writes its questions there.
    ClassLogWriter classLog;
    // The time of day, for the log.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    // The state of the game on show.
    XTable xchi{};
    qint16 a = 0, b = 0, c = 0;
    qint16 seikai = 0;
    qint16 mon = 0;
    qint16 ten = 0;
    std::array<QString, 4> hanimei;
    // The grade (学年) chosen in the menu, and the grade of the game on
    // show: a choice made during a game applies from the next Start.
    int gakunen = defaultGrade;
    int gameGrade = defaultGrade;

    void Form_Load();
    void Form_Activate();
    void Command1_Click();
    void m1a_Click();
    void shutsudai();

    void kotae_Click(int index);
    void Timer1_Timer();

    void Command3_Click();
    void en_Click(int index);
    void gakunen_Click(int index);
    void m1c_Click();
    void tokutenyo_Click();
    void Command5_Click();
    void m1d_Click();
    void m5c_Click();
    void helpyo_Click();
    void m1e_Click();

    // The results window: modal at the end of a game (returns when it has
    // closed), not modal from the list command. Opening it while it is open
    // from the list command brings it to the front; a game that ends then
    // closes it and opens a fresh one for the new score.
    // Returns the name that the modal window stored with the new score.
    std::optional<QString> openResults(bool modal);
    // The help window, not modal; there is never more than one.
    void openHelp();
    Form2 *helpWindow() const { return m_help.data(); }
    // The review of the last finished game, not modal; there is never more
    // than one, and opening it again shows the latest finished game. It
    // opens only between a finished game and the next Start.
    void openReview();
    ReviewWindow *reviewWindow() const { return m_review.data(); }
    // The last finished game; none before the first game has ended.
    const std::optional<KeptGame> &keptGame() const { return m_kept; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The keys 1 to 5 answer as the buttons kotae(0) to kotae(4) do.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void onFocusWindowChanged(QWindow *window);
    void greetIfDue();
    void markQuestion(const QString &mark);
    void keepAnswer(int answer, const QString &mark, double points);
    void endGame();
    void setReviewAvailable(bool available);
    void announceRange(int range);
    // The answer buttons as the grade has them: the relations it has not
    // learned greyed, the last button's caption its own.
    void showGrade(int grade);
    void writeLog(const std::optional<QString> &name);

    Module1 &m_module;
    Platform &m_platform;
    RandomSource &m_random;
    RankingLocation m_ranking;
    QPointer<Form3> m_results; // the results window while it is open

    // The game being played, question by question, and the last one that
    // was played to its end; a game abandoned by Start is not kept.
    KeptGame m_playing;
    std::optional<KeptGame> m_kept;
    QPointer<ReviewWindow> m_review; // the review window while it is open

    // The greeting comes when the main window becomes active after another
    // window of ours; message boxes and other applications do not count.
    QPointer<QWidget> m_lastForm;

    // The help window lives from its first opening until it is closed
    // through its frame; the back button only hides it.
    QPointer<Form2> m_help;
    bool m_greetPending = false;
    bool m_painted = false; // the window has been drawn once
    // From the fifth answer to the end of the box that invites a new game:
    // the greeting that the main window's return brings waits for it. (In
    // the browser the program's loop may run queued work between the
    // results window's end and that box.)
    bool m_inviting = false;
    bool m_inGame = false; // a game runs: from Start to its last question
};
