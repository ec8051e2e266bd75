#include "game/form1.h"

#include "common/captions.h"
#include "common/grade.h"
#include "common/numbertext.h"
#include "common/platform.h"
#include "layouts/form2.h"
#include "layouts/label.h"
#include "layouts/screenfit.h"
#include "results/form3.h"
#include "results/module1.h"
#include "results/rankingtransfer.h"
#include "review/tablecells.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QWindow>
#include <cmath>

Form1::Form1(Module1 &module, Platform &platform, RandomSource &random,
             const RankingLocation &ranking, QWidget *parent)
    : QMainWindow(parent), practice(platform),
      classLog(ranking.log().place,
               ranking.dataFolder().isEmpty() ? ranking.programFolder() : ranking.dataFolder(),
               ranking.log().standIn),
      m_module(module), m_platform(platform), m_random(random), m_ranking(ranking)
{
    ui.setupUi(this, RankingLocation::carriedByHand());
    practice.setUp(this, ui.m5, ui.tokuten, ranking.log().tally);
    connect(&practice, &Practice::startRequested, this, &Form1::Command1_Click);

    connect(ui.Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui.m1a, &QAction::triggered, this, &Form1::m1a_Click);
    for (int i = 0; i < 5; ++i)
        connect(ui.kotae[i], &QPushButton::clicked, this, [this, i] { kotae_Click(i); });
    connect(&Timer1, &IntervalTimer::timeout, this, &Form1::Timer1_Timer);
    connect(ui.Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    for (int i = 0; i < 4; ++i)
        connect(ui.en[i], &QAction::triggered, this, [this, i] { en_Click(i); });
    for (int i = 0; i < gradeCount; ++i)
        connect(ui.gakunen[i], &QAction::triggered, this, [this, i] { gakunen_Click(i); });
    connect(ui.m1c, &QAction::triggered, this, &Form1::m1c_Click);
    connect(ui.tokutenyo, &QPushButton::clicked, this, &Form1::tokutenyo_Click);
    connect(ui.Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(ui.m1d, &QAction::triggered, this, &Form1::m1d_Click);
    connect(ui.m5c, &QAction::triggered, this, &Form1::m5c_Click);
    connect(ui.helpyo, &QPushButton::clicked, this, &Form1::helpyo_Click);
    connect(ui.m1e, &QAction::triggered, this, &Form1::m1e_Click);
    if (ui.m1f) {
        connect(ui.m1f, &QAction::triggered, this,
                [this] { downloadRankingFile(this, m_platform, m_ranking); });
        connect(ui.m1g, &QAction::triggered, this,
                [this] { uploadRankingFile(this, m_platform, m_ranking); });
    }
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &Form1::onFocusWindowChanged);

    Form_Load();
    ui.Command1->setFocus();
    ui.client->installEventFilter(this);

    setReviewAvailable(false); // nothing to review until a game has finished
    for (int i = 0; i < 5; ++i) {
        ui.kotae[i]->setAccessibleDescription(QStringLiteral("キー %1").arg(i + 1));
        ui.mondai[i]->setAccessibleDescription(xCellDescription(i));
        ui.mondai[i + 5]->setAccessibleDescription(yCellDescription(i, QString()));
    }
    ui.tokuten->setAccessibleDescription(QStringLiteral("この問題で取れる点数"));
    // The question is a table of two rows, headed ｘ and ｙ.
    QList<QList<QWidget *>> rows = {{ui.Label1}, {ui.Label2}};
    for (int i = 0; i < 10; ++i)
        rows[i / 5].append(ui.mondai[i]);
    ScreenReader::markTable(rows);
}

Form1::~Form1()
{
    delete m_help; // a window of its own, without a parent
}

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
    // The grade outlives the program.
    const int stored = m_platform.storedGrade();
    gakunen = gameGrade = isGrade(stored) ? stored : defaultGrade;
    ui.gakunen[gakunen - 1]->setChecked(true);
    showGrade(gakunen);
    practice.showGrade(gakunen);
}

void Form1::Form_Activate()
{
    m_platform.inform(this, QStringLiteral("「スタート」ボタンをクリックすると，始まります。"),
                      QStringLiteral("スタート"));
}

void Form1::Command1_Click()
{
    gameGrade = gakunen;
    m_playing.grade = gameGrade;
    practice.startGame(gameGrade);
    for (Label *mark : ui.sikiyo) {
        mark->setText(QString());
        mark->setAccessibleDescription(QString());
    }
    m_inGame = true;
    showGrade(gameGrade);
    mon = 0;
    setReviewAvailable(false);
    if (!practice.running()) // a practice game has no score to deal with
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
    Timer1.setInterval(practice.running() ? 0 : 2000);
    practice.showQuestion();
    ++mon;
    ui.monbang->setText(QStringLiteral("第") + numberText(mon) + QStringLiteral("問"));

    const Question q
        = makeQuestion(m_random, m_module.hani, xchi, {a, b, c}, gameGrade, practice.kinds());
    seikai = q.seikai;
    a = q.coefficients.a;
    b = q.coefficients.b;
    c = q.coefficients.c;
    xchi = q.xchi;
    for (int i = 0; i < 10; ++i)
        ui.mondai[i]->setText(q.cells[i]);
    for (int i = 0; i < 5; ++i)
        ui.mondai[i + 5]->setAccessibleDescription(yCellDescription(i, q.cells[i]));

    KeptQuestion &kept = m_playing.questions[mon - 1];
    kept = KeptQuestion();
    kept.cells = q.cells;
    kept.seikai = seikai;
    kept.a = a;
    kept.b = b;
    kept.c = c;
    kept.range = m_module.hani;
    kept.shown = clock();
}

void Form1::kotae_Click(int index)
{
    // A table of a relation the grade has not learned is the last button's.
    if (index == rightAnswer(seikai, gameGrade)) {
        markQuestion(maruMark);
        const double points = readNumber(ui.tokuten->text());
        const double total = points + readNumber(ui.tokutenyo->text());
        ui.tokutenyo->setText(numberText(total));
        keepAnswer(index, maruMark, points);
    } else {
        markQuestion(batsuMark);
        keepAnswer(index, batsuMark, 0);
    }
    Timer1.setInterval(0);
    m_platform.beep();
    if (mon == 5) {
        m_inviting = true;
        endGame();
        m_platform.inform(this, QStringLiteral("再スタートは，\r「スタート」ボタンをクリック!!"),
                          QStringLiteral("再スタート"));
        m_inviting = false;
        QMetaObject::invokeMethod(this, &Form1::greetIfDue, Qt::QueuedConnection);
    } else {
        shutsudai();
    }
}

void Form1::Timer1_Timer()
{
    if (practice.running())
        return; // no clock in practice
    --ten;
    if (ten != -1) {
        ui.tokuten->setText(numberText(ten));
        return;
    }
    markQuestion(batsuMark);
    keepAnswer(KeptQuestion::timedOut, batsuMark, 0);
    m_platform.beep();
    Timer1.setInterval(0);
    if (mon == 5)
        endGame();
    else
        shutsudai();
}

void Form1::markQuestion(const QString &mark)
{
    ui.sikiyo[mon - 1]->setText(mark);
}

void Form1::keepAnswer(int answer, const QString &mark, double points)
{
    KeptQuestion &kept = m_playing.questions[mon - 1];
    kept.answer = answer;
    kept.mark = mark;
    kept.points = points;
    kept.seconds = answer == KeptQuestion::timedOut
        ? ClassLog::timeOutSeconds
        : std::round(kept.shown.msecsTo(clock()) / 100.0) / 10.0;
    practice.record(kept.seikai, answer);

    // What a player who does not look hears, and reads at the mark.
    const QString word = answer == KeptQuestion::timedOut
        ? QStringLiteral("時間切れ")
        : (mark == maruMark ? QStringLiteral("正解") : QStringLiteral("不正解"));
    ui.sikiyo[mon - 1]->setAccessibleDescription(word);
    QString said = mark + u' ' + word;
    if (mark == maruMark && !practice.running())
        said += u' ' + plainNumberText(points) + QStringLiteral("点");
    if (mon < 5)
        said += QStringLiteral("。第") + numberText(mon + 1) + QStringLiteral("問");
    else if (practice.running())
        said += QStringLiteral("。終わり");
    else
        said += QStringLiteral("。終わり。合計 ")
            + plainNumberText(readNumber(ui.tokutenyo->text())) + QStringLiteral("点");
    m_platform.announce(said);
}

void Form1::endGame()
{
    // The game is over from here on, so its review is there before the
    // results window opens and stays there through it and the message box
    // after it; an open review window shows it at once.
    m_kept = m_playing;
    setReviewAvailable(true);
    if (m_review)
        m_review->showGame(*m_kept);
    for (QPushButton *button : ui.kotae)
        button->setEnabled(false);
    // No game runs from here on: the buttons show the grade chosen.
    m_inGame = false;
    showGrade(gakunen);
    practice.showGrade(gakunen);
    if (practice.running()) {
        writeLog(std::nullopt);
        practice.endGame(this);
        return;
    }
    // The total is always whole; rounding halves to even keeps the old rule.
    m_module.kekka = static_cast<qint16>(std::nearbyint(readNumber(ui.tokutenyo->text())));
    // Written once the results window has closed, with the name it stored.
    writeLog(openResults(true));
}

void Form1::writeLog(const std::optional<QString> &name)
{
    QList<ClassLog::Row> rows;
    for (const KeptQuestion &q : m_kept->questions) {
        ClassLog::Row row;
        row.shown = ClassLog::timeText(q.shown);
        row.range = q.range;
        row.asked = q.seikai;
        row.answer = q.answer == KeptQuestion::timedOut ? ClassLog::timedOut : q.answer;
        row.seconds = q.seconds;
        row.points = practice.running() ? 0 : int(q.points);
        row.practice = practice.running();
        row.name = name.value_or(QString());
        row.grade = m_kept->grade;
        rows.append(row);
    }
    // Rows that cannot be written wait for the next game; the player is
    // not troubled with it.
    classLog.write(rows);
}

void Form1::announceRange(int range)
{
    ui.Command3->setText(QStringLiteral("ｘの値：") + hanimei[range]);
    m_platform.inform(
        this,
        QStringLiteral("ｘの値を ") + hanimei[range]
            + QStringLiteral(" の範囲にします。\r「スタート」ボタンをクリックしてください。"),
        QStringLiteral("ｘの値の変更"));
}

void Form1::Command3_Click()
{
    Timer1.setInterval(0);
    for (QAction *item : ui.en)
        item->setChecked(false);
    m_module.hani = static_cast<qint16>(m_module.hani + 1);
    if (m_module.hani == 4)
        m_module.hani = 0;
    ui.en[m_module.hani]->setChecked(true);
    announceRange(m_module.hani);
}

void Form1::en_Click(int index)
{
    for (QAction *item : ui.en)
        item->setChecked(false);
    ui.en[index]->setChecked(true);
    const qint16 old = m_module.hani;
    m_module.hani = static_cast<qint16>(index);
    if (old != index)
        announceRange(index);
}

void Form1::gakunen_Click(int index)
{
    for (QAction *item : ui.gakunen)
        item->setChecked(false);
    ui.gakunen[index]->setChecked(true);
    gakunen = index + 1;
    m_platform.storeGrade(gakunen);
    // The game on show goes on as it began.
    if (!m_inGame) {
        showGrade(gakunen);
        practice.showGrade(gakunen);
    }
}

void Form1::showGrade(int grade)
{
    ui.kotae[lastAnswer]->setText(lastAnswerCaption(grade));
    if (!m_inGame)
        return; // no game: every button stays greyed
    const KindSet answers = gradeAnswers(grade);
    for (int i = 0; i < kindCount; ++i)
        ui.kotae[i]->setEnabled(answers[i]);
}

void Form1::m1c_Click()
{
    m_module.kekka = 0;
    openResults(false);
}

void Form1::tokutenyo_Click()
{
    m1c_Click();
}

void Form1::Command5_Click()
{
    m_platform.endProgram();
}

void Form1::m1d_Click()
{
    Command5_Click();
}

void Form1::m5c_Click()
{
    openHelp();
}

void Form1::helpyo_Click()
{
    openHelp();
}

void Form1::m1e_Click()
{
    openReview();
}

void Form1::setReviewAvailable(bool available)
{
    // Only while no question runs: an open review would cover the table
    // while the points fall, so a game that starts closes it.
    ui.m1e->setEnabled(available && m_kept);
    if (!available && m_review)
        m_review->close();
}

void Form1::openReview()
{
    if (!m_kept || !ui.m1e->isEnabled())
        return;
    if (!m_review) {
        m_review = new ReviewWindow(this);
        m_review->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_review->showGame(*m_kept);
    showOnScreen(m_review);
    m_review->raise();
    m_review->activateWindow();
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    // Only the plain digits of the top row or the keypad, and not a key
    // held down: a click does not repeat either.
    const int index = event->key() - Qt::Key_1;
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (index >= 0 && index < 5 && modifiers == Qt::NoModifier && !event->isAutoRepeat()
        && ui.kotae[index]->isEnabled()) {
        ui.kotae[index]->click(); // the same handler as a click
        return;
    }
    QMainWindow::keyPressEvent(event);
}

std::optional<QString> Form1::openResults(bool modal)
{
    if (m_results) {
        if (!modal) {
            m_results->raise();
            m_results->activateWindow();
            return std::nullopt;
        }
        // Open from the list command, it has nothing to save; its open box
        // (if any) ends as if cancelled, and the new score gets a window of
        // its own, loaded afresh. The old window goes once its box has
        // returned.
        m_results->dismiss();
        m_results = nullptr;
    }
    // The Best 5 of the grade the game was started in; the list command
    // shows the grade chosen.
    m_module.gakunen = static_cast<qint16>(modal ? gameGrade : gakunen);
    auto *results = new Form3(m_module, m_platform, m_ranking, this);
    m_results = results;
    if (!modal) {
        results->show();
        return std::nullopt;
    }
    const QPointer<Form3> window = results;
    std::optional<QString> stored;
    connect(results, &Form3::nameStored, this, [&stored](const QString &name) { stored = name; });
    results->exec();
    // Its event loop and every box it ran have ended: it can go now.
    delete window.data();
    return stored;
}

void Form1::openHelp()
{
    if (!m_help)
        m_help = new Form2(this);
    showOnScreen(m_help);
    m_help->raise();
    m_help->activateWindow();
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
    // A hidden window that gets the focus for a moment (the browser's Qt
    // gives it to the window that closed last) is no activation either.
    if (!widget || !widget->isVisible() || qobject_cast<QMessageBox *>(widget)
        || widget->windowType() == Qt::Popup || widget->windowType() == Qt::ToolTip)
        return;
    if (widget == this && m_lastForm != this)
        m_greetPending = true;
    m_lastForm = widget;
    if (m_greetPending)
        QMetaObject::invokeMethod(this, &Form1::greetIfDue, Qt::QueuedConnection);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // The first greeting waits until the window has been drawn: it comes
    // over the finished window and does not hold the window back.
    if (watched == ui.client && event->type() == QEvent::Paint) {
        ui.client->removeEventFilter(this);
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_painted = true;
                greetIfDue();
            },
            Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form1::greetIfDue()
{
    // A message box that is still open keeps the greeting for the moment
    // the main window is active again.
    if (!m_greetPending || !m_painted || m_inviting || QApplication::activeModalWidget()
        || !isActiveWindow())
        return;
    m_greetPending = false;
    Form_Activate();
}
