#include "gamefixture.h"

#include <QApplication>
#include <QTest>

GameFixture::GameFixture(quint32 seed) : random(seed)
{
    form = std::make_unique<Form1>(module, platform, random);
}

GameFixture::~GameFixture()
{
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
    const int index = right ? form->seikai : (form->seikai + 1) % 5;
    QTest::mouseClick(form->ui.kotae[index], Qt::LeftButton);
}

int GameFixture::greetings() const
{
    return platform.count(QStringLiteral("スタート"));
}
