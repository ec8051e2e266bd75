#pragma once

#include "layouts/formspec.h"

class QPushButton;
class QWidget;
class Label;

// The help window's table of controls.
const FormSpec &form2Spec();

// The help window's widgets, built from form2Spec() into the window itself:
// the window is its own client area.
struct Form2Ui
{
    Label *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label6 = nullptr;
    Label *Label5 = nullptr;
    QPushButton *Command1 = nullptr;

    void setupUi(QWidget *window);
};
