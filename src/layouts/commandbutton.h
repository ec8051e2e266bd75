#pragma once

#include <QPushButton>

// A command button as a Windows desktop has it: Return and the keypad's
// Enter work the focused button exactly as Space does (down on the key's
// press, a click on its release, repeats ignored). It is never a default
// button, so Enter does nothing where no button has the focus.
class CommandButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CommandButton(const QString &caption, QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
};
