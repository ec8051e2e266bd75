#pragma once

#include "game/form1.h"
#include "recordingplatform.h"
#include "results/module1.h"

#include <memory>

// A main window with its own shared state, a recorder for message boxes
// and a random source of fixed seed. Shown windows are closed on
// destruction, so a test leaves no top-level window open.
struct GameFixture
{
    explicit GameFixture(quint32 seed = 20261208);
    ~GameFixture();

    // Shows the main window and waits until it is active.
    void show();
    // Clicks the answer button that is right (or, with right = false, one
    // that is wrong) for the question on show.
    void answer(bool right);
    int greetings() const;

    Module1 module;
    RecordingPlatform platform;
    ClockRandom random;
    std::unique_ptr<Form1> form;
};
