#pragma once

#include <QRandomGenerator>

// A source of uniformly distributed reals in [0, 1). The game draws every
// random decision from one of these; tests script the draws.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual double next() = 0;
};

// The program's source, seeded from the clock so that every run differs.
class ClockRandom final : public RandomSource
{
public:
    ClockRandom();
    explicit ClockRandom(quint32 seed) : m_generator(seed) { }
    double next() override { return m_generator.generateDouble(); }

private:
    QRandomGenerator m_generator;
};
