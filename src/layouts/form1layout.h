#pragma once

#include "layouts/formspec.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <array>

class QMainWindow;
class Label;

// The main window's table of controls.
const FormSpec &form1Spec();

// The main window's widgets, built from form1Spec() into a QMainWindow with
// a fixed client area and the menu bar "ゲーム", "ｘの値", "学年", "ヘルプ".
struct Form1Ui
{
    QWidget *client = nullptr;

    Label *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    std::array<Label *, 10> mondai{};
    std::array<Label *, 5> bango{};
    std::array<Label *, 5> sikiyo{};
    Label *monbang = nullptr;
    Label *tokuten = nullptr;
    QPushButton *tokutenyo = nullptr;
    QGroupBox *Frame1 = nullptr;
    std::array<QPushButton *, 5> kotae{};
    QPushButton *Command1 = nullptr, *Command3 = nullptr, *helpyo = nullptr, *Command5 = nullptr;

    QMenu *m1 = nullptr, *m4 = nullptr, *m5 = nullptr;
    QMenu *m7 = nullptr;                // "学年", after "ｘの値"
    std::array<QAction *, 3> gakunen{}; // its items, 中１ to 中３
    QAction *m1a = nullptr, *s1 = nullptr, *m1c = nullptr, *s2 = nullptr, *m1d = nullptr;
    QAction *m1e = nullptr; // "振り返り", after "一覧"
    // With fileItems only, after "振り返り": "成績ファイルを保存",
    // "成績ファイルを読み込む", which take the ranking file out as a file and
    // bring one in where the player cannot reach it otherwise (the browser).
    QAction *m1f = nullptr, *m1g = nullptr;
    std::array<QAction *, 4> en{};
    QAction *m5c = nullptr;

    void setupUi(QMainWindow *window, bool fileItems = false);
};
