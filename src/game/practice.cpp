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

void Practice::startGame(int)
{
    // The relations missed when the game begins stay its relations to the
    // end, even when some of them leave the set during the game.
    m_kinds = m_missedAsked && m_missed.any() ? m_missed : allKinds();
    m_running = m_missedAsked || ui.m6a->isChecked();
    m_missedAsked = false;
    m_rightInGame = 0;
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
    m_tally.record(seikai, answer, m_running);
    if (answer == seikai) {
        ++m_rightInGame;
        if (m_missed[seikai] && ++m_rightInRow[seikai] == 2)
            m_missed.reset(seikai);
    } else {
        m_missed.set(seikai);
        m_rightInRow[seikai] = 0;
    }
    ui.m6b->setEnabled(m_missed.any());
    if (m_tallyWindow)
        m_tallyWindow->showTally(m_tally);
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
    m_tallyWindow->showTally(m_tally);
    showOnScreen(m_tallyWindow);
    m_tallyWindow->raise();
    m_tallyWindow->activateWindow();
}

void Practice::openClassTally()
{
    if (!m_classTally)
        m_classTally = new ClassTallyWindow(m_window, m_platform, m_log);
    else
        m_classTally->choosePeriod(int(m_classTally->period()));
    showOnScreen(m_classTally);
    m_classTally->raise();
    m_classTally->activateWindow();
}
