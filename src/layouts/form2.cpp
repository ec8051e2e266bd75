#include "layouts/form2.h"

#include "layouts/screenfit.h"

#include <QPushButton>

Form2::Form2(QWidget *mainWindow) : QWidget(nullptr), m_mainWindow(mainWindow)
{
    setAttribute(Qt::WA_DeleteOnClose);
    ui.setupUi(this);
    // The back button is the only control that takes the focus.
    setFocusPolicy(Qt::NoFocus);
    ui.Command1->setFocus();
    // For a player who hears the screen: the clock cannot wait for a
    // screen reader to read a table; practice can.
    setAccessibleDescription(
        QStringLiteral("画面を読み上げて遊ぶときは，メニュー「練習」の「時間なしで練習」に"
                       "チェックを付けると，時間を気にせずに答えられます。"));
    connect(ui.Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::Command1_Click()
{
    if (m_mainWindow) {
        showOnScreen(m_mainWindow);
        m_mainWindow->raise();
        m_mainWindow->activateWindow();
    }
    hide();
}
