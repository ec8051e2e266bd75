#include "gamefixture.h"

#include "common/grade.h"
#include "results/form3.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>

GameFixture::GameFixture(quint32 seed) : random(seed)
{
    form = std::make_unique<Form1>(module, platform, random, RankingLocation(rankingFolder.path()));
    qApp->installEventFilter(this);
}

bool GameFixture::eventFilter(QObject *watched, QEvent *event)
{
    auto *results = qobject_cast<Form3 *>(watched);
    if (results && event->type() == QEvent::Show && results->isModal()) {
        ++modalResults;
        // Answered from inside its own event loop, once it is active.
        QTimer::singleShot(0, results, [this, window = QPointer<Form3>(results)] {
            // (qWaitForWindowActive() counts a window active while its
            // parent is, so it cannot tell.)
            QVERIFY(
                QTest::qWaitFor([&] { return !window || QApplication::activeWindow() == window; }));
            if (onResults && window)
                onResults(*window);
            if (window && window->isVisible())
                window->Command1_Click();
        });
    }
    return false;
}

GameFixture::~GameFixture()
{
    qApp->removeEventFilter(this);
    form.reset();
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
    QCoreApplication::processEvents();
}

void GameFixture::show()
{
    form->show();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QCoreApplication::processEvents();
}

void GameFixture::answer(bool right)
{
    // Right by the rule of the game's grade; wrong: the next button it has.
    int index = rightAnswer(form->seikai, form->gameGrade);
    if (!right)
        do
            index = (index + 1) % kindCount;
        while (!gradeAnswers(form->gameGrade)[index]);
    QTest::mouseClick(form->ui.kotae[index], Qt::LeftButton);
}

int GameFixture::greetings() const
{
    return platform.count(QStringLiteral("スタート"));
}
