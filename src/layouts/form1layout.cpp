#include "layouts/form1layout.h"

#include "common/captions.h"
#include "common/grade.h"
#include "layouts/formbuilder.h"
#include "layouts/label.h"
#include "layouts/menustyle.h"

#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>

namespace {

const QColor white(255, 255, 255);
const QColor blue(0, 0, 255);

// The correspondence table is white on blue.
ControlSpec tableCell(const QString &name, int left, int top, int width, int height, FontSpec font,
                      const QString &caption = QString(), Qt::Alignment align = Qt::AlignLeft)
{
    return labelSpec(name, caption, left, top, width, height, font, white, blue, align);
}

FormSpec makeForm1()
{
    FormSpec form;
    form.name = QStringLiteral("Form1");
    form.caption = QStringLiteral("ヒョウミ1（z.Aoba)");
    form.width = 8700;
    form.height = 6015;
    form.back = QColor(0, 128, 0);
    form.font = {13.5, false};

    auto &c = form.controls;
    c.push_back(tableCell("Label1", 2280, 120, 855, 975, {48, true}, "ｘ", Qt::AlignHCenter));
    c.push_back(tableCell("Label2", 2280, 1080, 855, 975, {48, true}, "ｙ", Qt::AlignHCenter));
    c.push_back(tableCell("Label3", 3120, 120, 5415, 255, {}));
    c.push_back(tableCell("Label4", 3120, 1080, 5415, 255, {}));
    for (int i = 0; i < 10; ++i)
        c.push_back(tableCell(arrayName("mondai", i), 3120 + 1080 * (i % 5), i < 5 ? 360 : 1320,
                              1095, 735, {27.75, true}, QString(), Qt::AlignHCenter));

    // The results list, the question number and the points.
    for (int i = 0; i < 5; ++i)
        c.push_back(labelSpec(arrayName("bango", i), QString::number(i + 1), 120, 120 + 360 * i,
                              255, 375, {20.25, true}, white, QColor(0, 0, 128)));
    for (int i = 0; i < 5; ++i)
        c.push_back(labelSpec(arrayName("sikiyo", i), "", 480, 120 + 360 * i, 375, 375,
                              {15.75, true}, std::nullopt, QColor(255, 255, 0)));
    ControlSpec monbang = labelSpec("monbang", "番  号", 960, 120, 1215, 435, {21.75, true}, blue,
                                    QColor(255, 0, 0));
    monbang.autoSize = true;
    c.push_back(monbang);
    c.push_back(labelSpec("tokuten", "点", 120, 2160, 2655, 2415, {120, true}, QColor(0, 255, 0),
                          QColor(0, 64, 0)));
    c.push_back(
        controlSpec(ControlKind::Button, "tokutenyo", "得点", 120, 4680, 2655, 1215, {48, false}));

    // The answer frame; the buttons' places are relative to the frame.
    ControlSpec frame = controlSpec(ControlKind::Frame, "Frame1", "ｘとｙの関係は？", 2880, 2160,
                                    5655, 2415, {20.25, true});
    frame.text = QColor(0, 0, 192);
    frame.back = QColor(255, 128, 0);
    c.push_back(frame);
    const int kotaeLeft[5] = {360, 3000, 360, 3000, 1200};
    const int kotaeTop[5] = {600, 600, 1200, 1200, 1800};
    for (int i = 0; i < 5; ++i) {
        ControlSpec button
            = controlSpec(ControlKind::Button, arrayName("kotae", i), relationCaptions()[i],
                          kotaeLeft[i], kotaeTop[i], i == 4 ? 4215 : 2415, 495);
        button.parent = QStringLiteral("Frame1");
        c.push_back(button);
    }

    // The command buttons at the bottom.
    c.push_back(controlSpec(ControlKind::Button, "Command1", "スタート", 2880, 4680, 2055, 855,
                            {21.75, true}));
    c.push_back(controlSpec(ControlKind::Button, "Command3", "ｘの値の表示・変更", 5160, 4680, 2175,
                            495, {12, false}));
    c.push_back(controlSpec(ControlKind::Button, "helpyo", "説明", 7560, 4680, 975, 495));
    c.push_back(
        controlSpec(ControlKind::Button, "Command5", "終了", 7080, 5280, 1455, 615, {18, true}));

    form.lines.push_back({"Line1", 2280, 1200, 8520, 1200, white, 5});
    form.lines.push_back({"Line2", 3120, 120, 3120, 2040, white, 5});
    return form;
}

} // namespace

const FormSpec &form1Spec()
{
    static const FormSpec form = makeForm1();
    return form;
}

void Form1Ui::setupUi(QMainWindow *window, bool fileItems)
{
    const FormSpec &form = form1Spec();
    window->setObjectName(form.name);
    window->setWindowTitle(form.caption);

    client = new QWidget(window);
    buildControls(form, client);
    window->setCentralWidget(client);
    // The window fits its client area and menu bar and cannot be resized.
    window->layout()->setSizeConstraint(QLayout::SetFixedSize);

    Label1 = control<Label>(client, "Label1");
    Label2 = control<Label>(client, "Label2");
    Label3 = control<Label>(client, "Label3");
    Label4 = control<Label>(client, "Label4");
    for (int i = 0; i < 10; ++i)
        mondai[i] = control<Label>(client, arrayName("mondai", i));
    for (int i = 0; i < 5; ++i) {
        bango[i] = control<Label>(client, arrayName("bango", i));
        sikiyo[i] = control<Label>(client, arrayName("sikiyo", i));
        kotae[i] = control<QPushButton>(client, arrayName("kotae", i));
    }
    monbang = control<Label>(client, "monbang");
    tokuten = control<Label>(client, "tokuten");
    tokutenyo = control<QPushButton>(client, "tokutenyo");
    Frame1 = control<QGroupBox>(client, "Frame1");
    Command1 = control<QPushButton>(client, "Command1");
    Command3 = control<QPushButton>(client, "Command3");
    helpyo = control<QPushButton>(client, "helpyo");
    Command5 = control<QPushButton>(client, "Command5");

    // Keyboard focus order; disabled buttons are skipped by Qt itself.
    const QWidget *order[] = {Command1, Command3, Command5, tokutenyo, helpyo,
                              kotae[0], kotae[1], kotae[2], kotae[3],  kotae[4]};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget *>(order[i]), const_cast<QWidget *>(order[i + 1]));

    auto item = [](QMenu *menu, const char *name, const QString &caption) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    auto separator = [](QMenu *menu, const char *name) {
        QAction *action = menu->addSeparator();
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    QMenuBar *bar = window->menuBar();
    m1 = bar->addMenu(QStringLiteral("ゲーム"));
    m1->setObjectName("m1");
    m1a = item(m1, "m1a", QStringLiteral("スタート"));
    s1 = separator(m1, "s1");
    m1c = item(m1, "m1c", QStringLiteral("一覧"));
    m1e = item(m1, "m1e", QStringLiteral("振り返り"));
    if (fileItems) {
        m1f = item(m1, "m1f", QStringLiteral("成績ファイルを保存"));
        m1g = item(m1, "m1g", QStringLiteral("成績ファイルを読み込む"));
    }
    s2 = separator(m1, "s2");
    m1d = item(m1, "m1d", QStringLiteral("終了"));
    m4 = bar->addMenu(QStringLiteral("ｘの値"));
    m4->setObjectName("m4");
    for (int i = 0; i < 4; ++i) {
        en[i] = item(m4, qPrintable(arrayName("en", i)), rangeCaptions()[i]);
        en[i]->setCheckable(true);
    }
    // The grade (学年): which relations the questions and answers are of.
    m7 = bar->addMenu(QStringLiteral("学年"));
    m7->setObjectName("m7");
    for (int i = 0; i < gradeCount; ++i) {
        gakunen[i] = item(m7, qPrintable(arrayName("gakunen", i)), gradeMenuCaption(i + 1));
        gakunen[i]->setCheckable(true);
    }
    m5 = bar->addMenu(QStringLiteral("ヘルプ"));
    m5->setObjectName("m5");
    m5c = item(m5, "m5c", QStringLiteral("説明"));
    // Only the current range and grade carry a mark; the others show nothing.
    for (QMenu *menu : {m1, m4, m7, m5})
        menu->setStyle(menuStyle());
}
