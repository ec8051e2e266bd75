#pragma once

#include "common/platform.h"
#include "common/randomsource.h"

#include <QList>
#include <QString>
#include <functional>

// Answers message boxes instead of showing them and keeps what was asked.
class RecordingPlatform final : public Platform
{
public:
    struct Box
    {
        QString text;
        QString title;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton;
    };

    QMessageBox::StandardButton messageBox(QWidget *parent, const QString &text,
                                           const QString &title, QMessageBox::Icon icon,
                                           QMessageBox::StandardButtons buttons,
                                           QMessageBox::StandardButton defaultButton) override;
    void beep() override { ++beeps; }
    void endProgram() override { ++ends; }
    void announce(const QString &text) override { said.append(text); }

    QList<Box> boxes;
    int beeps = 0;
    int ends = 0;
    QStringList said;

    // The answer to the next boxes, first in first out; OK when empty.
    QList<QMessageBox::StandardButton> answers;
    // Called with each box as it is asked, before it is answered.
    std::function<void(const Box &)> onBox;

    QStringList titles() const;
    int count(const QString &title) const;
};

// Scripted draws for the question generator: each value is the next R.
class ScriptedRandom final : public RandomSource
{
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<double> draws) : m_draws(draws) { }
    void push(double r) { m_draws.append(r); }
    // The R for which floor(R * n) == k.
    void pushWhole(int k, int n) { push((k + 0.5) / n); }
    double next() override;
    qsizetype remaining() const { return m_draws.size() - m_next; }
    bool exhausted() const { return m_exhausted; }

private:
    QList<double> m_draws;
    qsizetype m_next = 0;
    bool m_exhausted = false;
};
