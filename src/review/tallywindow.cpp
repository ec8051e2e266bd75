#include "review/tallywindow.h"

#include "common/captions.h"
#include "common/numbertext.h"
#include "layouts/label.h"
#include "layouts/screenfit.h"
#include "review/runtally.h"

#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace {

// "60%", or "－" when nothing was asked.
QString shareText(int right, int asked)
{
    if (asked == 0)
        return QStringLiteral("－");
    return plainNumberText(std::round(100.0 * right / asked)) + QStringLiteral("%");
}

} // namespace

TallyWindow::TallyWindow(QWidget *mainWindow, bool forClass)
    : QWidget(mainWindow, Qt::Window), m_mainWindow(mainWindow), m_forClass(forClass)
{
    setAttribute(Qt::WA_DeleteOnClose);
    QScreen *screen = screenOf(this);
    ui.setupUi(this, clientRoom(screen->availableGeometry()).width(), forClass);
    // Laid out again when the screen changes, as a tablet turned on its side.
    connect(screen, &QScreen::availableGeometryChanged, this, [this](const QRect &available) {
        ui.layOut(this, clientRoom(available).width());
        if (isVisible())
            keepInside(this, available);
    });
    // The buttons are the only controls that take the focus.
    setFocusPolicy(Qt::NoFocus);
    ui.Command1->setFocus();
    showGrade(defaultGrade);
    connect(ui.Command1, &QPushButton::clicked, this, [this] {
        if (m_mainWindow) {
            m_mainWindow->raise();
            m_mainWindow->activateWindow();
        }
        close();
    });
}

void TallyWindow::showTally(const RunTally &tally)
{
    showCounts(tally);
    QString total = QStringLiteral("まだ答えた問題はありません。");
    if (tally.questions() > 0) {
        total = QStringLiteral("答えた問題 ") + plainNumberText(tally.questions())
            + QStringLiteral("問");
        if (tally.practiceQuestions() > 0)
            total += QStringLiteral("（うち練習 ") + plainNumberText(tally.practiceQuestions())
                + QStringLiteral("問）");
        total += QStringLiteral("　正解 ") + plainNumberText(tally.rightAnswers())
            + QStringLiteral("問（") + shareText(tally.rightAnswers(), tally.questions())
            + QStringLiteral("）");
    }
    ui.total->setText(total);
}

void TallyWindow::showGrade(int grade)
{
    if (grade == m_grade)
        return;
    m_grade = grade;
    const QString title = QStringLiteral("成績表");
    if (!m_forClass)
        setWindowTitle(grade == defaultGrade ? title : title + u'（' + gradeCaption(grade) + u'）');
    ui.heading[lastAnswer]->setText(answerHeading(lastAnswer, grade));
    const std::array<QString, kindCount> answers = answerCaptions(grade);
    for (int row = 0; row < TallyUi::rows; ++row) {
        for (int col = 0; col < TallyUi::answerColumns; ++col) {
            Label *count = ui.count[row * TallyUi::answerColumns + col];
            // The right answers are yellow, as the marks of the main window are.
            QPalette palette = count->palette();
            const bool right = col == rightAnswer(row, grade);
            palette.setColor(QPalette::Window, right ? QColor(255, 255, 0) : Qt::white);
            count->setPalette(palette);
            // A count read out alone says which relation and which answer it counts.
            count->setAccessibleDescription(
                QStringLiteral("出題：") + relationCaptions()[row] + QStringLiteral("　答え：")
                + (col < kindCount ? answers[col] : QStringLiteral("時間切れ")));
        }
    }
}

void TallyWindow::showCounts(const RunTally &tally)
{
    showGrade(tally.grade());
    const KindSet buttons = gradeAnswers(tally.grade());
    for (int row = 0; row < TallyUi::rows; ++row) {
        for (int col = 0; col < TallyUi::answerColumns; ++col)
            ui.count[row * TallyUi::answerColumns + col]->setText(
                col < kindCount && !buttons[col] ? QStringLiteral("－")
                                                 : plainNumberText(tally.count(row, col)));
        ui.right[row]->setText(plainNumberText(tally.right(row)) + QStringLiteral("/")
                               + plainNumberText(tally.asked(row)));
        ui.share[row]->setText(shareText(tally.right(row), tally.asked(row)));
    }
}
