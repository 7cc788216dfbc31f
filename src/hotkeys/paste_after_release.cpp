// SPDX-License-Identifier: GPL-3.0-or-later
#include "hotkeys/paste_after_release.h"

#include "platform/keystroke_sender.h"

#include <QPointer>

PasteAfterRelease::PasteAfterRelease(KeystrokeSender& keystrokes, Timing timing, QObject* parent)
    : QObject(parent), m_keystrokes(keystrokes), m_timing(timing)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&m_timer, &QTimer::timeout, this, [this] { check(); });
}

void PasteAfterRelease::start(std::function<void(bool pasted)> done)
{
    m_done = std::move(done);
    m_elapsed.start();
    m_timer.start(m_timing.firstCheck);
}

void PasteAfterRelease::check()
{
    if (!m_keystrokes.modifiersHeld()) {
        QPointer<PasteAfterRelease> self(this);
        m_keystrokes.sendPasteThen([self](bool pasted) {
            if (self)
                self->finish(pasted);
        });
        return;
    }
    if (std::chrono::milliseconds(m_elapsed.elapsed()) + m_timing.interval > m_timing.limit) {
        finish(false);
        return;
    }
    m_timer.start(m_timing.interval);
}

void PasteAfterRelease::finish(bool pasted)
{
    if (!m_done)
        return;
    auto done = std::move(m_done);
    m_done = nullptr;
    done(pasted);
}
