#include "review/reviewwindow.h"

#include "common/captions.h"
#include "common/numbertext.h"
#include "common/twips.h"
#include "layouts/commandbutton.h"
#include "layouts/screenfit.h"
#include "review/evidence.h"
#include "review/formula.h"
#include "review/linebreaks.h"
#include "review/tablecells.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {

const QColor green(0, 128, 0);
const QColor blue(0, 0, 255);
const QColor white(255, 255, 255);

void paint(QWidget *widget, const QColor &text, const QColor &back)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, back);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLabel *label(QWidget *parent, const QFont &font, const QString &name)
{
    auto *l = new QLabel(parent);
    l->setObjectName(name);
    l->setFont(font);
    l->setTextFormat(Qt::PlainText);
    return l;
}

// A text that may take several lines, broken only where a reader expects
// it; a screen reader reads it without the joiners that keep it so.
void setWrappedText(QLabel *label, const QString &text)
{
    label->setWordWrap(true);
    label->setText(withWordJoiners(text));
    label->setAccessibleName(withoutWordJoiners(text));
}

} // namespace

ReviewWindow::ReviewWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ReviewWindow"));
    setWindowTitle(QStringLiteral("振り返り"));
    setFont(gothicFont(12));
    paint(this, Qt::black, green);

    // The questions lie on a sheet that scrolls only where the screen is
    // too low for all five.
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->setWidgetResizable(false);
    m_sheet = new QWidget;
    m_sheet->setObjectName(QStringLiteral("sheet"));
    paint(m_sheet, Qt::black, green);
    for (int i = 0; i < 5; ++i)
        m_frames[i] = makeCard(i, m_cards[i]);
    m_total = label(m_sheet, gothicFont(21.75, true), QStringLiteral("total"));
    paint(m_total, white, green);
    m_total->setAlignment(Qt::AlignCenter);
    m_back = new CommandButton(QStringLiteral("戻る"), m_sheet);
    m_back->setObjectName(QStringLiteral("Command1"));
    m_back->setFont(gothicFont(12));
    m_back->setFixedSize(twips(1095), twips(540));
    connect(m_back, &QPushButton::clicked, this, &QWidget::close);
    m_scroll->setWidget(m_sheet);
    auto *whole = new QVBoxLayout(this);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(m_scroll);

    QScreen *screen = screenOf(this);
    layOutFor(screen->availableGeometry());
    // Laid out again when the screen changes, as a tablet turned on its side.
    connect(screen, &QScreen::availableGeometryChanged, this, [this](const QRect &available) {
        layOutFor(available);
        if (isVisible())
            keepInside(this, available);
    });
}

void ReviewWindow::layOutFor(const QRect &available)
{
    m_available = available;
    const QSize room = clientRoom(available);
    constexpr int spacing = 4, cardWidth = 490;
    // Two questions a row, read left to right and then down, where two fit
    // the screen; else one under another, as wide as the screen allows. The
    // game's total and the way back take the place after the fifth.
    const bool two = 2 * cardWidth + 3 * spacing <= room.width();
    const auto arrange = [&](int width) {
        delete m_sheet->layout();
        auto *grid = new QGridLayout(m_sheet);
        grid->setSpacing(spacing);
        grid->setContentsMargins(spacing, spacing, spacing, spacing);
        for (int i = 0; i < 5; ++i) {
            m_frames[i]->setFixedWidth(width);
            grid->addWidget(m_frames[i], two ? i / 2 : i, two ? i % 2 : 0);
        }
        auto *end = new QVBoxLayout;
        end->addStretch();
        end->addWidget(m_total);
        end->addStretch();
        end->addWidget(m_back, 0, Qt::AlignRight | Qt::AlignBottom);
        grid->addLayout(end, two ? 2 : 5, two ? 1 : 0);
        grid->setSizeConstraint(QLayout::SetFixedSize);
        grid->activate();
        return m_sheet->size();
    };
    const int oneWide = std::max(cardWidth, room.width() - 2 * spacing);
    QSize sheet = arrange(two ? cardWidth : oneWide);
    QSize window = sheet;
    if (sheet.height() > room.height()) {
        // Too low a screen: the window as high as it, the questions
        // narrower by the scroll bar beside them (Windows' is wider than
        // the room that two questions leave on a netbook).
        const int bar
            = m_scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_scroll);
        sheet = arrange(two ? std::min(cardWidth, (room.width() - bar - 3 * spacing) / 2)
                            : oneWide - bar);
        window = QSize(sheet.width() + bar, room.height());
    }
    setFixedSize(window);
}

QWidget *ReviewWindow::makeCard(int index, Card &card)
{
    auto *frame = new QFrame(m_sheet);
    frame->setObjectName(QStringLiteral("question(%1)").arg(index));
    paint(frame, Qt::black, white);
    frame->setFixedWidth(490);
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(10, 3, 10, 4);
    column->setSpacing(1);

    auto *head = new QHBoxLayout;
    head->setSpacing(12);
    card.number = label(frame, gothicFont(14.25, true), QStringLiteral("number"));
    card.number->setText(QStringLiteral("第") + numberText(index + 1) + QStringLiteral("問"));
    card.mark = label(frame, gothicFont(14.25, true), QStringLiteral("mark"));
    card.points = label(frame, gothicFont(14.25, true), QStringLiteral("points"));
    head->addWidget(card.number);
    head->addWidget(card.mark);
    head->addWidget(card.points);
    head->addStretch();
    column->addLayout(head);

    // The table, white on blue as on the main window.
    auto *table = new QWidget(frame);
    paint(table, white, blue);
    auto *cells = new QGridLayout(table);
    cells->setContentsMargins(2, 2, 2, 2);
    cells->setHorizontalSpacing(2);
    cells->setVerticalSpacing(2);
    const QFont cellFont = gothicFont(13.5, true);
    for (int row = 0; row < 2; ++row) {
        QLabel *heading = label(table, cellFont, row ? QStringLiteral("y") : QStringLiteral("x"));
        heading->setText(row ? QStringLiteral("ｙ") : QStringLiteral("ｘ"));
        heading->setAlignment(Qt::AlignCenter);
        heading->setFixedSize(40, 22);
        cells->addWidget(heading, row, 0);
        for (int i = 0; i < 5; ++i) {
            QLabel *cell = label(table, cellFont, QStringLiteral("cell(%1)").arg(row * 5 + i));
            cell->setAlignment(Qt::AlignCenter);
            cell->setFixedSize(64, 22);
            paint(cell, white, blue);
            cells->addWidget(cell, row, i + 1);
            card.cells[row * 5 + i] = cell;
        }
    }
    // A white rule under the x row and after the headings, as on the main window.
    paint(table, white, white);
    for (int row = 0; row < 2; ++row)
        paint(cells->itemAtPosition(row, 0)->widget(), white, blue);
    auto *tableRow = new QHBoxLayout;
    tableRow->addWidget(table);
    tableRow->addStretch();
    column->addLayout(tableRow);

    // The sentences a size smaller than the window's text, so that the
    // longest of five questions still fit a 1024 x 768 screen.
    const QFont sentences = gothicFont(11);
    card.answer = label(frame, sentences, QStringLiteral("answer"));
    card.right = label(frame, sentences, QStringLiteral("right"));
    card.formula = label(frame, gothicFont(13.5, true), QStringLiteral("formula"));
    card.evidence = label(frame, sentences, QStringLiteral("evidence"));
    column->addWidget(card.answer);
    column->addWidget(card.right);
    column->addWidget(card.formula);
    column->addWidget(card.evidence);
    column->addStretch();
    return frame;
}

void ReviewWindow::showGame(const KeptGame &game)
{
    double total = 0;
    for (int i = 0; i < 5; ++i) {
        const KeptQuestion &q = game.questions[i];
        Card &card = m_cards[i];
        card.mark->setText(q.mark);
        paint(card.mark, q.mark == maruMark ? QColor(255, 0, 0) : QColor(0, 0, 255), white);
        card.points->setText(plainNumberText(q.points) + QStringLiteral("点"));
        for (int k = 0; k < 10; ++k) {
            card.cells[k]->setText(q.cells[k]);
            card.cells[k]->setAccessibleDescription(
                k < 5 ? xCellDescription(k) : yCellDescription(k - 5, q.cells[k - 5]));
        }
        const bool answered = q.answer >= 0 && q.answer < kindCount;
        setWrappedText(
            card.answer,
            QStringLiteral("あなたの答え：")
                + (answered ? relationName(q.answer, game.grade) : QStringLiteral("時間切れ")));
        setWrappedText(card.right, QStringLiteral("正解：") + relationName(q.seikai, game.grade));
        card.formula->setText(formulaText(q.seikai, q.a, q.b, q.c));
        setWrappedText(card.evidence, explanationText(q, game.grade));
        total += q.points;
    }
    m_total->setText(QStringLiteral("合計 ") + plainNumberText(total) + QStringLiteral("点"));
    // Other texts, other heights.
    layOutFor(m_available);
}
