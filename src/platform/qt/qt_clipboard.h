#pragma once

#include "platform/clipboard.h"

// The CLIPBOARD selection through QClipboard. On X11 the selection lives only as long as
// this process does.
class QtClipboard : public Clipboard
{
public:
    // Qt reports no refusal: on Wayland a change made without focus reverts unseen.
    bool setSecretText(const QString& text) override;
    QString text() const override;
    void clear() override;
};
