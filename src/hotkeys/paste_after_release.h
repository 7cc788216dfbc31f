// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

class KeystrokeSender;

// Sends Ctrl+V once the user has let go of the hotkey's modifiers. Sent while they are
// still held, the target would see Ctrl+Alt+Shift+V and paste nothing. Polls the keyboard
// state on the GUI thread's timer, never blocking it, and gives up after a time limit.
class PasteAfterRelease : public QObject
{
public:
    struct Timing
    {
        std::chrono::milliseconds firstCheck{50}; // lets the hotkey's own events settle
        std::chrono::milliseconds interval{10};
        std::chrono::milliseconds limit{2000}; // from start() to the last check
    };

    PasteAfterRelease(KeystrokeSender& keystrokes, Timing timing, QObject* parent = nullptr);

    // done(true) after the paste was sent; done(false) when the modifiers stayed down past the
    // limit or the keystrokes could not be sent. Called once, from the event loop, unless this
    // object is destroyed first; it may deleteLater() this object.
    void start(std::function<void(bool pasted)> done);

private:
    void check();
    void finish(bool pasted);

    KeystrokeSender& m_keystrokes;
    const Timing m_timing;
    std::function<void(bool)> m_done;
    QTimer m_timer;
    QElapsedTimer m_elapsed;
};
