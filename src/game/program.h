#pragma once

#include "common/platform.h"
#include "common/randomsource.h"
#include "game/form1.h"
#include "results/module1.h"

#include <memory>

class QApplication;

// A run of the game as main() starts it: the application set up, the shared
// state, the system's platform, the clock-seeded random source and the main
// window, not yet shown. The benchmarks start the program through here too.
class Program
{
public:
    explicit Program(QApplication &app);

    Form1 &mainWindow() { return *m_form; }

private:
    Module1 m_module;
    std::unique_ptr<Platform> m_platform = systemPlatform();
    ClockRandom m_random;
    std::unique_ptr<Form1> m_form; // made once the application is set up
};
