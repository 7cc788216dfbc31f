// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock_sync.h"

#include <QLabel>
#include <QTimer>
#include <chrono>
#include <memory>

class AppSettings;

// A quiet line in the main window while the system clock is not kept synchronised, since
// time-based codes made from a wrong clock are rejected. When nothing can tell (no
// timedated), it shows until the user dismisses it for good; a known unsynchronised clock
// is only dismissed until the next start.
class ClockNotice : public QLabel
{
    Q_OBJECT
public:
    static constexpr std::chrono::minutes recheckInterval{10};
    static const QString helpUrl;

    // Queries at once and then every recheckInterval. Both must outlive the notice.
    ClockNotice(ClockSync& sync, AppSettings& settings, QWidget* parent = nullptr);
    ~ClockNotice() override;

    // Whether the notice belongs on screen for this answer.
    static bool wanted(ClockSyncState state, bool dismissedWhenUnknown);

    ClockSyncState state() const { return m_state; }
    // The "Dismiss" link.
    void dismiss();

Q_SIGNALS:
    // Every answer of the system, also an unchanged one.
    void answered(ClockSyncState state);

private:
    void check();
    void apply(ClockSyncState state);

    ClockSync& m_sync;
    AppSettings& m_settings;
    ClockSyncState m_state = ClockSyncState::unknown;
    bool m_dismissedThisRun = false;
    QTimer m_recheck;
    // Answers can arrive after the notice is gone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
