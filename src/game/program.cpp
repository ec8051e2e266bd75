#include "game/program.h"

#include "common/startup.h"

#include <QApplication>

Program::Program(QApplication &app)
{
    setUpApplication(app);
    m_form = std::make_unique<Form1>(m_module, *m_platform, m_random, RankingLocation::standard());
}
