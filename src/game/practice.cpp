#include "game/practice.h"

#include "common/numbertext.h"
#include "common/platform.h"
#include "layouts/label.h"
#include "layouts/screenfit.h"

#include <QAction>
#include <QMainWindow>
#include <utility>

Practice::Practice(Platform &platform) : m_platform(platform)
{ }

void Practice::setUp(QMainWindow *window, QMenu *before, Label *points, LogStorageSource log)
{
    m_window = window;
    m_points = points;
    m_log = std::move(log);
    ui.setupUi(window, before);
    // Nothing has been missed yet.
    ui.m6b->setEnabled(false);
    connect(ui.m6b, &QAction::triggered, this, [this] {
        m_missedAsked = true;
        emit startRequested();
    });
    connect(ui.m6c, &QAction::triggered, this, &Practice::openTally);
    connect(ui.m6d, &QAction::triggered, this, &Practice::openClassTally);
}

Practice::Kept &Practice::kept(int grade)
{
    return m_kept[(isGrade(grade) ? grade : defaultGrade) - 1];
}

const Practice::Kept &Practice::kept(int grade) const
{
    return m_kept[(isGrade(grade) ? grade : defaultGrade) - 1];
}

void Practice::startGame(int grade)
{
    m_gameGrade = m_grade = isGrade(grade) ? grade : defaultGrade;
    // The answers missed when the game begins stay its answers to the
    // end, even when some of them leave the set during the game.
    const KindSet asked = kept(m_grade).missed;
    m_kinds = m_missedAsked && asked.any() ? asked : gradeAnswers(m_grade);
    m_running = m_missedAsked || ui.m6a->isChecked();
    m_missedAsked = false;
    m_rightInGame = 0;
}

void Practice::showGrade(int grade)
{
    m_grade = isGrade(grade) ? grade : defaultGrade;
    if (ui.m6b)
        ui.m6b->setEnabled(kept(m_grade).missed.any());
    if (m_tallyWindow)
        m_tallyWindow->showTally(tally());
}

void Practice::showQuestion()
{
    if (!m_points)
        return;
    if (!m_running) {
        if (m_pointsFont)
            m_points->setFont(*std::exchange(m_pointsFont, std::nullopt));
        return;
    }
    // "練習" in the place of the points, small enough to fit it.
    if (!m_pointsFont)
        m_pointsFont = m_points->font();
    QFont font = *m_pointsFont;
    font.setPointSizeF(60);
    m_points->setFont(font);
    m_points->setText(QStringLiteral("練習"));
}

void Practice::record(int seikai, int answer)
{
    if (seikai < 0 || seikai >= kindCount)
        return;
    Kept &game = kept(m_gameGrade);
    game.tally.record(seikai, answer, m_running);
    // Kept by the button that is right: in 中１ a 一次関数 table missed is
    // practised as the tables of the last button.
    const int right = rightAnswer(seikai, m_gameGrade);
    if (answer == right) {
        ++m_rightInGame;
        if (game.missed[right] && ++game.rightInRow[right] == 2)
            game.missed.reset(right);
    } else {
        game.missed.set(right);
        game.rightInRow[right] = 0;
    }
    ui.m6b->setEnabled(kept(m_grade).missed.any());
    if (m_tallyWindow)
        m_tallyWindow->showTally(tally());
}

bool Practice::endGame(QWidget *parent)
{
    if (!m_running)
        return false;
    m_platform.inform(parent,
                      QStringLiteral("練習が終わりました。\r正解は 5問中")
                          + numberText(m_rightInGame) + QStringLiteral("問です。"),
                      QStringLiteral("練習"));
    return true;
}

void Practice::openTally()
{
    if (!m_tallyWindow)
        m_tallyWindow = new TallyWindow(m_window);
    m_tallyWindow->showTally(tally());
    showOnScreen(m_tallyWindow);
    m_tallyWindow->raise();
    m_tallyWindow->activateWindow();
}

void Practice::openClassTally()
{
    if (!m_classTally)
        m_classTally = new ClassTallyWindow(m_window, m_platform, m_log, m_grade);
    else
        m_classTally->choosePeriod(int(m_classTally->period()));
    showOnScreen(m_classTally);
    m_classTally->raise();
    m_classTally->activateWindow();
}
