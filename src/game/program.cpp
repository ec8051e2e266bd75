#include "game/program.h"

#include "common/startup.h"

#include <QApplication>

Program::Program(QApplication &app)
    : m_app(setUp(app)), m_form(m_module, m_platform, m_random, RankingLocation::standard())
{ }

QApplication &Program::setUp(QApplication &app)
{
    setUpApplication(app);
    return app;
}
