#include "layouts/practicemenu.h"

#include "layouts/menustyle.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

void PracticeMenuUi::setupUi(QMainWindow *window, QMenu *before)
{
    QMenuBar *bar = window->menuBar();
    m6 = bar->addMenu(QStringLiteral("練習"));
    m6->setObjectName("m6");
    bar->insertAction(before->menuAction(), m6->menuAction()); // moved there
    auto item = [this](const char *name, const QString &caption) {
        QAction *action = m6->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    m6a = item("m6a", QStringLiteral("時間なしで練習"));
    m6a->setCheckable(true);
    m6b = item("m6b", QStringLiteral("まちがえた関係を練習"));
    m6c = item("m6c", QStringLiteral("成績表"));
    m6d = item("m6d", QStringLiteral("クラスの成績表"));
    // A check mark while practice is on, nothing beside it while it is off.
    m6->setStyle(menuStyle());
}
