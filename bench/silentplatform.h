#pragma once

#include "common/platform.h"

// The benchmarks' platform: every message box is answered OK at once and
// nothing sounds, so a measured run never waits for a player.
class SilentPlatform final : public Platform
{
public:
    QMessageBox::StandardButton messageBox(QWidget *, const QString &, const QString &,
                                           QMessageBox::Icon, QMessageBox::StandardButtons,
                                           QMessageBox::StandardButton) override
    {
        return QMessageBox::Ok;
    }
    void beep() override { }
    void endProgram() override { }
};
