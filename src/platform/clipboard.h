// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The desktop clipboard (CLIPBOARD selection, not the primary selection).
class Clipboard
{
public:
    virtual ~Clipboard() = default;

    // Replaces the clipboard contents with exactly this text, marked as a secret so that
    // clipboard managers do not keep it. False when the desktop could not take it.
    virtual bool setSecretText(const QString& text) = 0;

    // The current text, empty when the clipboard holds none.
    virtual QString text() const = 0;

    // Empties the clipboard.
    virtual void clear() = 0;
};
