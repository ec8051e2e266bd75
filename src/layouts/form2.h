#pragma once

#include "layouts/form2layout.h"

#include <QPointer>
#include <QWidget>

// The help window: four explanations of the game, a credit line and the
// back button "戻る". It is a window of its own, not kept above the main
// window, and no dialog: Esc does not close it. Hidden by its back button
// it lives on; closed through its frame it is destroyed.
class Form2 : public QWidget
{
    Q_OBJECT
public:
    explicit Form2(QWidget *mainWindow);

    Form2Ui ui;

    // "戻る": brings the main window back to the front, then hides this one.
    void Command1_Click();

private:
    QPointer<QWidget> m_mainWindow;
};
