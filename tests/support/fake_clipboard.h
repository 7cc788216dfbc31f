#pragma once

#include "platform/clipboard.h"

// Remembers what was put on it, and how often.
class FakeClipboard : public Clipboard
{
public:
    void setSecretText(const QString& text) override
    {
        m_text = text;
        ++m_writes;
    }
    QString text() const override { return m_text; }
    void clear() override { m_text.clear(); }

    int writes() const { return m_writes; }

private:
    QString m_text;
    int m_writes = 0;
};
