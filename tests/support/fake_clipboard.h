// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clipboard.h"

// Remembers what was put on it, and how often; a refusing clipboard keeps nothing.
class FakeClipboard : public Clipboard
{
public:
    bool refuses = false;

    bool setSecretText(const QString& text) override
    {
        if (refuses)
            return false;
        m_text = text;
        ++m_writes;
        return true;
    }
    QString text() const override { return m_text; }
    void clear() override { m_text.clear(); }

    int writes() const { return m_writes; }

private:
    QString m_text;
    int m_writes = 0;
};
