#include "common/randomsource.h"

#include <QDateTime>

ClockRandom::ClockRandom()
    : m_generator(static_cast<quint32>(QDateTime::currentMSecsSinceEpoch()
                                       ^ (QDateTime::currentMSecsSinceEpoch() >> 32)))
{ }
