#pragma once

class QAction;
class QMainWindow;
class QMenu;

// The menu "練習" of the main window. Like the window's other menus it has
// no access keys and no shortcuts.
struct PracticeMenuUi
{
    QMenu *m6 = nullptr;
    QAction *m6a = nullptr; // "時間なしで練習", checkable
    QAction *m6b = nullptr; // "まちがえた関係を練習"
    QAction *m6c = nullptr; // "成績表"
    QAction *m6d = nullptr; // "クラスの成績表"

    // Puts the menu into the window's menu bar before the menu `before`.
    void setupUi(QMainWindow *window, QMenu *before);
};
