#include "layouts/form2layout.h"

#include "layouts/formbuilder.h"
#include "layouts/label.h"

#include <QPushButton>

namespace {

const QColor green(0, 255, 0);

FormSpec makeForm2()
{
    FormSpec form;
    form.name = QStringLiteral("Form2");
    form.caption = QStringLiteral("ヒョウミ1(z.Aoba)");
    form.width = 6090;
    form.height = 6645;
    form.back = QColor(0, 0, 255);

    // The explanations. The blanks at their starts and inside them belong
    // to the texts.
    const QString explanation2 = QStringLiteral(
        "　 中学校３年間の「関数関係」を  対応表から見つけるゲーム感覚の学習ソフトです。");
    const QString explanation3
        = QStringLiteral("　 「スタート」ボタンをクリックすると，対応表が表示されます。  "
                         "そこで，ｘとｙの関係を見つけ，下のあてはまる関数関係をクリックします。   "
                         "正解かどうかは，上のリストに○×で表示されます。５問解いたら終わりです。");
    const QString explanation4 = QStringLiteral(
        "　 "
        "問題が表示されたら，１０→９→８・・・と点数が下がっていきます。速く正解すると得点は高いです"
        "。５問解いたあと，得点の一覧表が表示されます。Ｂｅｓｔ５に入ると，名前が登録できます。その"
        "後，「スタート」ボタンをクリックすると再開されます。");
    const QString explanation6 = QStringLiteral(
        "  ｘの値は，【－２～２】【１～５】【－５～－１】【ランダム】の場合があります。");
    const QColor black(0, 0, 0);

    auto &c = form.controls;
    c.push_back(labelSpec("Label2", explanation2, 360, 240, 5550, 1095, {18, true},
                          QColor(255, 0, 0), QColor(0, 255, 255)));
    c.push_back(
        labelSpec("Label3", explanation3, 360, 1560, 5535, 1455, {14.25, false}, black, green));
    c.push_back(
        labelSpec("Label4", explanation4, 360, 3240, 5535, 1815, {14.25, false}, black, green));
    c.push_back(labelSpec("Label6", explanation6, 360, 5280, 5535, 615, {14.25, false},
                          std::nullopt, green));
    c.push_back(
        controlSpec(ControlKind::Button, "Command1", "戻る", 4680, 6000, 1095, 540, {12, false}));

    // The credit line takes the size of its text; it has room up to the
    // back button.
    ControlSpec credit = labelSpec("Label5", QStringLiteral("zenta プロジェクト"), 1080, 6120, 0,
                                   285, {14.25, true}, QColor(255, 255, 255), QColor(255, 0, 255));
    credit.autoSize = true;
    c.push_back(credit);
    return form;
}

} // namespace

const FormSpec &form2Spec()
{
    static const FormSpec form = makeForm2();
    return form;
}

void Form2Ui::setupUi(QWidget *window)
{
    const FormSpec &form = form2Spec();
    window->setWindowTitle(form.caption);
    buildControls(form, window);

    Label2 = control<Label>(window, "Label2");
    Label3 = control<Label>(window, "Label3");
    Label4 = control<Label>(window, "Label4");
    Label6 = control<Label>(window, "Label6");
    Label5 = control<Label>(window, "Label5");
    Command1 = control<QPushButton>(window, "Command1");
}
