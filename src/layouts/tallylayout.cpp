#include "layouts/tallylayout.h"

#include "common/captions.h"
#include "common/twips.h"
#include "layouts/formbuilder.h"
#include "layouts/label.h"

#include <QPushButton>
#include <algorithm>

namespace {

const QColor white(255, 255, 255);
const QColor black(0, 0, 0);
const QColor navy(0, 0, 128);
const QColor blue(0, 0, 255);
const QColor yellow(255, 255, 0);
const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignVCenter;

// The answer captions broken where they read well in a narrow column.
const QString answerHeadings[TallyUi::answerColumns] = {
    QStringLiteral("ｙはｘに\n比例"),
    QStringLiteral("ｙはｘに\n反比例"),
    QStringLiteral("ｙはｘの\n一次関数"),
    QStringLiteral("ｙはｘの\n２乗に比例"),
    QStringLiteral("上の４つには，\nあてはまらない\n関係"),
    QStringLiteral("時間切れ"),
};

// The last button's caption in 中１ and 中２.
const QString lastHeadings[2] = {
    QStringLiteral("比例でも\n反比例でも\nない関係"),
    QStringLiteral("上の３つには，\nあてはまらない\n関係"),
};

// Columns and rows of the table, in twips; neighbours stand 30 apart, so
// that the window's green shows between them as the table's rules. On a
// screen too narrow for the relations' captions in one line, they are
// broken as the answers' headings are, in a column as narrow as theirs.
constexpr int gap = 30;
constexpr int answerWidth = 1380, rightWidth = 870, shareWidth = 960;
constexpr int headTop = 600, headHeight = 720;
constexpr int lineHeight = 240, rowHeight = 480; // rows of the small font

// The class's window has the periods in a row at its top, and everything
// else that much lower.
constexpr int periodTop = 120, periodWidth = 1095, periodHeight = 450;
constexpr int classShift = periodHeight + 120;
constexpr int gradeWidth = 870;

FormSpec makeTally(bool forClass, bool narrow)
{
    const int shift = forClass ? classShift : 0;
    const int margin = narrow ? 60 : 120;
    const int kindLeft = margin, kindWidth = narrow ? answerWidth : 3480;
    const int answerLeft = kindLeft + kindWidth + gap;
    const int rightLeft = answerLeft + TallyUi::answerColumns * (answerWidth + gap);
    const int shareLeft = rightLeft + rightWidth + gap;

    FormSpec form;
    form.name = QStringLiteral("TallyWindow");
    form.caption = forClass ? QStringLiteral("クラスの成績表") : QStringLiteral("成績表");
    form.width = shareLeft + shareWidth + margin;
    form.back = QColor(0, 128, 0);
    form.font = {12, false};

    const FontSpec small{10.5, false};
    const FontSpec number{13.5, true};
    auto &c = form.controls;
    if (forClass) {
        for (int i = 0; i < TallyUi::periods; ++i)
            c.push_back(controlSpec(ControlKind::Button, arrayName("period", i),
                                    TallyUi::periodCaptions[i], kindLeft + i * (periodWidth + gap),
                                    periodTop, periodWidth, periodHeight, {12, false}));
        // The grades at the row's other end, to the right edge of the table.
        for (int i = 0; i < TallyUi::grades; ++i)
            c.push_back(controlSpec(ControlKind::Button, arrayName("grade", i), gradeCaption(i + 1),
                                    shareLeft + shareWidth - (TallyUi::grades - i) * gradeWidth
                                        - (TallyUi::grades - 1 - i) * gap,
                                    periodTop, gradeWidth, periodHeight, {12, false}));
    }
    c.push_back(labelSpec("total", QString(), kindLeft, 120 + shift, form.width - 2 * margin, 405,
                          {13.5, true}, white, QColor(0, 128, 0)));
    c.push_back(labelSpec("corner", "出題＼答え", kindLeft, headTop + shift, kindWidth, headHeight,
                          narrow ? small : FontSpec{}, white, navy, centred));
    for (int col = 0; col < TallyUi::answerColumns; ++col)
        c.push_back(labelSpec(arrayName("heading", col), answerHeadings[col],
                              answerLeft + col * (answerWidth + gap), headTop + shift, answerWidth,
                              headHeight, small, white, navy, centred));
    c.push_back(labelSpec(arrayName("heading", 6), "正解", rightLeft, headTop + shift, rightWidth,
                          headHeight, small, white, navy, centred));
    c.push_back(labelSpec(arrayName("heading", 7), "正解率", shareLeft, headTop + shift, shareWidth,
                          headHeight, small, white, navy, centred));

    int top = headTop + shift + headHeight + gap;
    for (int row = 0; row < TallyUi::rows; ++row) {
        const QString kind = narrow ? answerHeadings[row] : relationCaptions()[row];
        const int height = std::max<int>(rowHeight, (kind.count(u'\n') + 1) * lineHeight);
        c.push_back(labelSpec(arrayName("kind", row), kind, kindLeft, top, kindWidth, height,
                              narrow ? small : FontSpec{}, white, blue,
                              Qt::AlignLeft | Qt::AlignVCenter));
        // The right answers, on the diagonal and in the last two columns,
        // are yellow as the marks of the main window are.
        for (int col = 0; col < TallyUi::answerColumns; ++col)
            c.push_back(labelSpec(arrayName("count", row * TallyUi::answerColumns + col), "0",
                                  answerLeft + col * (answerWidth + gap), top, answerWidth, height,
                                  number, black, col == row ? yellow : white, centred));
        c.push_back(labelSpec(arrayName("right", row), QString(), rightLeft, top, rightWidth,
                              height, number, black, yellow, centred));
        c.push_back(labelSpec(arrayName("share", row), QString(), shareLeft, top, shareWidth,
                              height, number, black, yellow, centred));
        top += height + gap;
    }
    const int backTop = top + 120;
    c.push_back(controlSpec(ControlKind::Button, "Command1", "戻る", shareLeft + shareWidth - 1095,
                            backTop, 1095, 540, {12, false}));
    if (forClass)
        c.push_back(controlSpec(ControlKind::Button, "Command2", "CSVで保存",
                                shareLeft + shareWidth - 1095 - 120 - 1800, backTop, 1800, 540,
                                {12, false}));
    form.height = backTop + 540 + 120;
    return form;
}

} // namespace

QString answerHeading(int column, int grade)
{
    column = qBound(0, column, TallyUi::answerColumns - 1);
    if (column == lastAnswer && isGrade(grade) && grade < gradeCount)
        return lastHeadings[grade - 1];
    return answerHeadings[column];
}

const FormSpec &tallySpec(int roomWidth, bool forClass)
{
    static const FormSpec wide = makeTally(false, false), narrow = makeTally(false, true);
    static const FormSpec classWide = makeTally(true, false), classNarrow = makeTally(true, true);
    if (forClass)
        return twips(classWide.width) <= roomWidth ? classWide : classNarrow;
    return twips(wide.width) <= roomWidth ? wide : narrow;
}

void TallyUi::setupUi(QWidget *window, int roomWidth, bool forClass)
{
    m_forClass = forClass;
    const FormSpec &form = tallySpec(roomWidth, forClass);
    window->setWindowTitle(form.caption);
    buildControls(form, window);

    total = control<Label>(window, "total");
    corner = control<Label>(window, "corner");
    for (int i = 0; i < answerColumns + 2; ++i)
        heading[i] = control<Label>(window, arrayName("heading", i));
    for (int row = 0; row < rows; ++row) {
        kind[row] = control<Label>(window, arrayName("kind", row));
        right[row] = control<Label>(window, arrayName("right", row));
        share[row] = control<Label>(window, arrayName("share", row));
    }
    for (int i = 0; i < rows * answerColumns; ++i)
        count[i] = control<Label>(window, arrayName("count", i));
    Command1 = control<QPushButton>(window, "Command1");
    // Only the class's window has these.
    Command2 = window->findChild<QPushButton *>("Command2");
    for (int i = 0; i < periods; ++i)
        period[i] = window->findChild<QPushButton *>(arrayName("period", i));
    for (int i = 0; i < grades; ++i)
        grade[i] = window->findChild<QPushButton *>(arrayName("grade", i));
}

void TallyUi::layOut(QWidget *window, int roomWidth)
{
    const FormSpec &form = tallySpec(roomWidth, m_forClass);
    placeControls(form, window);
    // The captions of the relations are the only ones the two layouts break apart.
    for (const ControlSpec &row : form.controls)
        if (row.name.startsWith(QStringLiteral("kind(")))
            control<Label>(window, row.name)->setText(row.caption);
}
