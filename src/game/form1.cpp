#include "game/form1.h"

#include "common/captions.h"
#include "common/numbertext.h"
#include "common/platform.h"
#include "layouts/label.h"
#include "results/module1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QWindow>

Form1::Form1(Module1 &module, Platform &platform, RandomSource &random, QWidget *parent)
    : QMainWindow(parent), m_module(module), m_platform(platform), m_random(random)
{
    ui.setupUi(this);

    connect(ui.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui.m1a, &QAction::triggered, this, &Form1::m1a_Click);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &Form1::onFocusWindowChanged);

    Form_Load();
    ui.Command1->setFocus();
}

Form1::~Form1() = default;

void Form1::Form_Load()
{
    Timer1.setInterval(0);
    // The random source was seeded from the clock when it was made.
    hanimei = rangeCaptions();
    xchi = initialXTable();
    for (QPushButton *button : ui.kotae)
        button->setEnabled(false);
    ui.en[0]->setChecked(true);
    m_module.hani = 0;
    ui.Command3->setText(QStringLiteral("ｘの値：") + hanimei[0]);
}

void Form1::Form_Activate()
{
    m_platform.inform(this, QStringLiteral("「スタート」ボタンをクリックすると，始まります。"),
                      QStringLiteral("スタート"));
}

void Form1::Command1_Click()
{
    for (Label *mark : ui.sikiyo)
        mark->setText(QString());
    for (QPushButton *button : ui.kotae)
        button->setEnabled(true);
    mon = 0;
    m_module.touroku = 0;
    ui.tokutenyo->setText(numberText(0));
    shutsudai();
}

void Form1::m1a_Click()
{
    Command1_Click();
}

void Form1::shutsudai()
{
    ten = 10;
    ui.tokuten->setText(numberText(ten).right(2));
    Timer1.setInterval(2000);
    ++mon;
    ui.monbang->setText(QStringLiteral("第") + numberText(mon) + QStringLiteral("問"));

    const Question q = makeQuestion(m_random, m_module.hani, xchi, {a, b, c});
    seikai = q.seikai;
    a = q.coefficients.a;
    b = q.coefficients.b;
    c = q.coefficients.c;
    xchi = q.xchi;
    for (int i = 0; i < 10; ++i)
        ui.mondai[i]->setText(q.cells[i]);
}

void Form1::closeEvent(QCloseEvent *event)
{
    event->accept();
    m_platform.endProgram();
}

void Form1::onFocusWindowChanged(QWindow *window)
{
    if (!window)
        return; // the focus left the program; coming back does not greet
    QWidget *widget = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->windowHandle() == window)
            widget = top;
    if (!widget || qobject_cast<QMessageBox *>(widget) || widget->windowType() == Qt::Popup
        || widget->windowType() == Qt::ToolTip)
        return;
    if (widget == this && m_lastForm != this)
        m_greetPending = true;
    m_lastForm = widget;
    if (m_greetPending)
        QMetaObject::invokeMethod(this, &Form1::greetIfDue, Qt::QueuedConnection);
}

void Form1::greetIfDue()
{
    // A message box that is still open keeps the greeting for the moment
    // the main window is active again.
    if (!m_greetPending || QApplication::activeModalWidget() || !isActiveWindow())
        return;
    m_greetPending = false;
    Form_Activate();
}
