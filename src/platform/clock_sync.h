// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Whether the system clock is kept right by a time service (NTP or the like).
enum class ClockSyncState
{
    synchronised,
    notSynchronised,
    unknown // nothing on this system could tell
};

// Asks the system whether its clock is synchronised. Time-based codes are only as right as
// the clock, so a clock left to drift is worth telling the user about.
class ClockSync
{
public:
    virtual ~ClockSync() = default;

    // Answers later on the calling thread, through `done`, never from inside this call.
    virtual void query(std::function<void(ClockSyncState)> done) = 0;
};
