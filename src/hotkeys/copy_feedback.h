// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where a press tells the user what happened ("Code copied", "Code pasted", ...); on the
// desktop it is the copy panel, in tests a recorder of the calls.
class CopyFeedback
{
public:
    virtual ~CopyFeedback() = default;
    // Shows the title and subtitle for about durationSeconds, replacing what is shown.
    virtual void show(const QString& title, const QString& subtitle, double durationSeconds) = 0;
};
