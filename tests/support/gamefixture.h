#pragma once

#include "game/form1.h"
#include "recordingplatform.h"
#include "results/module1.h"

#include <QObject>
#include <QTemporaryDir>
#include <functional>
#include <memory>

class Form3;

// A main window with its own shared state, a recorder for message boxes,
// a random source of fixed seed and a ranking file in a folder of its own.
// Shown windows are closed on destruction, so a test leaves no top-level
// window open.
//
// The results window that the end of a game opens modally is answered as
// message boxes are: onResults (when set) sees it first, then "戻る" closes
// it if it is still open, and the game goes on.
struct GameFixture : QObject
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
    QTemporaryDir rankingFolder;
    std::function<void(Form3 &)> onResults;
    int modalResults = 0; // results windows opened modally so far
    std::unique_ptr<Form1> form;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
