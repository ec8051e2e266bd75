#include "review/reviewwindow.h"

#include "common/captions.h"
#include "common/numbertext.h"
#include "common/twips.h"
#include "layouts/commandbutton.h"
#include "review/evidence.h"
#include "review/formula.h"
#include "review/linebreaks.h"
#include "review/tablecells.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

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

    // Two questions a row, read left to right and then down, so that all
    // five fit a 1024 x 768 screen; the game's total and the way back
    // take the sixth place.
    auto *grid = new QGridLayout(this);
    grid->setSpacing(4);
    grid->setContentsMargins(4, 4, 4, 4);
    for (int i = 0; i < 5; ++i)
        grid->addWidget(makeCard(i, m_cards[i]), i / 2, i % 2);

    auto *end = new QVBoxLayout;
    m_total = label(this, gothicFont(21.75, true), QStringLiteral("total"));
    paint(m_total, white, green);
    m_total->setAlignment(Qt::AlignCenter);
    auto *back = new CommandButton(QStringLiteral("戻る"), this);
    back->setObjectName(QStringLiteral("Command1"));
    back->setFont(gothicFont(12));
    back->setFixedSize(twips(1095), twips(540));
    connect(back, &QPushButton::clicked, this, &QWidget::close);
    end->addStretch();
    end->addWidget(m_total);
    end->addStretch();
    end->addWidget(back, 0, Qt::AlignRight | Qt::AlignBottom);
    grid->addLayout(end, 2, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget *ReviewWindow::makeCard(int index, Card &card)
{
    auto *frame = new QFrame(this);
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
        setWrappedText(card.answer,
                       QStringLiteral("あなたの答え：")
                           + (answered ? relationName(q.answer) : QStringLiteral("時間切れ")));
        setWrappedText(card.right, QStringLiteral("正解：") + relationName(q.seikai));
        card.formula->setText(formulaText(q.seikai, q.a, q.b, q.c));
        setWrappedText(card.evidence, explanationText(q));
        total += q.points;
    }
    m_total->setText(QStringLiteral("合計 ") + plainNumberText(total) + QStringLiteral("点"));
}
