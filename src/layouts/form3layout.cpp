#include "layouts/form3layout.h"

#include "layouts/formbuilder.h"
#include "layouts/label.h"
#include "layouts/linewidget.h"

#include <QDialog>

namespace {

const QColor lightGreen(128, 255, 128);
const QColor red(255, 0, 0);

ControlSpec autoSized(ControlSpec row)
{
    row.autoSize = true;
    return row;
}

FormSpec makeForm3()
{
    FormSpec form;
    form.name = QStringLiteral("Form3");
    form.caption = QStringLiteral("ヒョウミ1(z.Aoba)");
    form.width = 4080;
    form.height = 6270;
    form.back = lightGreen;
    // The window sets no font; "window font" is a small Gothic face that
    // fits "初期化" and "今回の記録".
    form.font = {9, false};

    const FontSpec bold1575{15.75, true};
    auto &c = form.controls;
    c.push_back(autoSized(labelSpec("Label1", "成績一覧", 120, 120, 1695, 405, {20.25, true}, red,
                                    QColor(0, 128, 0))));
    c.push_back(controlSpec(ControlKind::Button, "Command2", "初期化", 3240, 120, 732, 372));
    c.push_back(autoSized(
        labelSpec("Label4", "ｘの値", 600, 600, 720, 285, {14.25, false}, QColor(0, 0, 192))));
    c.push_back(
        labelSpec("enz0", "法", 1560, 600, 1695, 255, {13.5, false}, {}, {}, Qt::AlignHCenter));
    // The grade of the Best 5 on show, right of the range; 中３ shows none.
    c.push_back(labelSpec("gakunen", "", 3315, 600, 645, 255, {13.5, false}));
    c.push_back(labelSpec(arrayName("jyun", 0), "１", 240, 1200, 372, 372, bold1575, {}, {},
                          Qt::AlignHCenter));
    c.push_back(labelSpec(arrayName("namae", 0), "名前", 960, 1200, 1935, 375, {13.5, false}));
    c.push_back(labelSpec(arrayName("jikan", 0), " 0", 3120, 1200, 615, 375, bold1575, {}, {},
                          Qt::AlignRight));
    c.push_back(autoSized(labelSpec("Label3", "あなたの記録", 120, 3840, 1920, 315, bold1575,
                                    QColor(0, 0, 255), QColor(0, 255, 255))));
    c.push_back(labelSpec(arrayName("jyun1", 0), "1", 2400, 3840, 375, 375, bold1575, {}, {},
                          Qt::AlignHCenter));
    c.push_back(labelSpec(arrayName("jikan1", 0), " 0", 3120, 3840, 615, 375, bold1575, {}, {},
                          Qt::AlignRight));
    c.push_back(labelSpec("Label2", "今回の記録", 240, 4440, 972, 252, {}, red));
    c.push_back(labelSpec("jikan9", "0", 480, 4800, 855, 375, bold1575, {}, {}, Qt::AlignRight));
    c.push_back(labelSpec("Label6", "　１番です。名前を入力して下さい。", 120, 5400, 3852, 372,
                          {12, false}, QColor(0, 64, 64)));
    ControlSpec text
        = controlSpec(ControlKind::TextBox, "Text1", "", 1320, 5760, 1815, 405, {13.5, false});
    text.back = QColor(128, 128, 255);
    c.push_back(text);
    c.push_back(
        controlSpec(ControlKind::Button, "Command1", "戻る", 3240, 5760, 732, 372, {10.5, false}));

    // A double rule under the Best 5, a single one above the name entry.
    form.lines.push_back({"Line2", 120, 3600, 3960, 3600});
    form.lines.push_back({"Line1", 120, 3720, 3960, 3720});
    form.lines.push_back({"Line3", 120, 5280, 3960, 5280});
    return form;
}

} // namespace

const FormSpec &form3Spec()
{
    static const FormSpec form = makeForm3();
    return form;
}

void Form3Ui::setupUi(QDialog *window)
{
    const FormSpec &form = form3Spec();
    window->setWindowTitle(form.caption);
    buildControls(form, window);

    Label1 = control<Label>(window, "Label1");
    Label2 = control<Label>(window, "Label2");
    Label3 = control<Label>(window, "Label3");
    Label4 = control<Label>(window, "Label4");
    Label6 = control<Label>(window, "Label6");
    enz0 = control<Label>(window, "enz0");
    gakunen = control<Label>(window, "gakunen");
    jikan9 = control<Label>(window, "jikan9");
    jyun[0] = control<Label>(window, arrayName("jyun", 0));
    namae[0] = control<Label>(window, arrayName("namae", 0));
    jikan[0] = control<Label>(window, arrayName("jikan", 0));
    jyun1[0] = control<Label>(window, arrayName("jyun1", 0));
    jikan1[0] = control<Label>(window, arrayName("jikan1", 0));
    Text1 = control<QLineEdit>(window, "Text1");
    Command1 = control<QPushButton>(window, "Command1");
    Command2 = control<QPushButton>(window, "Command2");
    Line1 = control<LineWidget>(window, "Line1");
    Line2 = control<LineWidget>(window, "Line2");
    Line3 = control<LineWidget>(window, "Line3");

    QWidget::setTabOrder(Text1, Command1);
    QWidget::setTabOrder(Command1, Command2);
}

Label *copyElement(const Label *element0, const QString &array, int index)
{
    auto *label = new Label(element0->parentWidget());
    label->setObjectName(arrayName(array, index));
    label->setFont(element0->font());
    label->setPalette(element0->palette());
    label->setAlignment(element0->alignment());
    label->setWordWrap(element0->wordWrap());
    label->setGeometry(element0->geometry());
    label->setAutoSize(element0->autoSize());
    label->hide();
    return label;
}
