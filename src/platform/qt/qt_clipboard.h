// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clipboard.h"

// The CLIPBOARD selection through QClipboard. On X11 the selection lives only as long as
// this process does.
class QtClipboard : public Clipboard
{
public:
    // Qt reports no refusal; on Wayland a change made without focus reverts unseen, so
    // there it fails unless one of our windows has the focus.
    bool setSecretText(const QString& text) override;
    QString text() const override;
    void clear() override;
};
