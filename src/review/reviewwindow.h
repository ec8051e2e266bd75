#pragma once

#include "review/keptgame.h"

#include <QRect>
#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QScrollArea;

// 振り返り: the five questions of the last finished game, each with its
// table as it was shown, the player's answer, the right one, the formula
// and the evidence that decides the relation, and the game's total. Its
// only control is "戻る", which closes it.
class ReviewWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ReviewWindow(QWidget *parent = nullptr);

    // Shows the questions of a game in place of the ones on show.
    void showGame(const KeptGame &game);

    // Lays the questions out for the part `available` of a screen: two a
    // row where two fit its width, else one a row as wide as it allows;
    // the window as large as all five, or as high as the screen where
    // they are higher, the rest scrolled. The window follows its screen
    // by itself.
    void layOutFor(const QRect &available);

private:
    struct Card
    {
        QLabel *number = nullptr; // "第 1問"
        QLabel *mark = nullptr;   // "○" or "×"
        QLabel *points = nullptr; // "10点"
        std::array<QLabel *, 10> cells{};
        QLabel *answer = nullptr;
        QLabel *right = nullptr;
        QLabel *formula = nullptr;
        QLabel *evidence = nullptr;
    };
    QWidget *makeCard(int index, Card &card);

    std::array<Card, 5> m_cards;
    std::array<QWidget *, 5> m_frames{};
    QLabel *m_total = nullptr; // "合計 18点"
    QPushButton *m_back = nullptr;
    QScrollArea *m_scroll = nullptr;
    QWidget *m_sheet = nullptr; // what scrolls: the questions, the total, the way back
    QRect m_available;
};
