#pragma once

#include "layouts/formspec.h"

#include <QLineEdit>
#include <QPushButton>
#include <array>

class QDialog;
class Label;
class LineWidget;

// The results window's table of controls.
const FormSpec &form3Spec();

// The results window's widgets, built from form3Spec() as the client area
// of a dialog of fixed size. The control arrays hold element 0 only; the
// window creates the other elements when it loads (see copyElement()).
struct Form3Ui
{
    Label *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr;
    Label *Label6 = nullptr;
    Label *enz0 = nullptr;
    Label *gakunen = nullptr; // "中１" or "中２" beside enz0; hidden in 中３
    Label *jikan9 = nullptr;
    std::array<Label *, 5> jyun{}, namae{}, jikan{};
    std::array<Label *, 3> jyun1{}, jikan1{};
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr;
    LineWidget *Line1 = nullptr, *Line2 = nullptr, *Line3 = nullptr;

    void setupUi(QDialog *window);
};

// A new element of a label array, a copy of element 0: same parent, size,
// font, colours and alignment, named "<array>(<index>)". It is hidden and
// placed where element 0 is; the caller moves and shows it.
Label *copyElement(const Label *element0, const QString &array, int index);
