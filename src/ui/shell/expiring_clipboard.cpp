// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/expiring_clipboard.h"

ExpiringClipboard::ExpiringClipboard(Clipboard& clipboard, QObject* parent)
    : QObject(parent), m_clipboard(clipboard)
{
    m_expiry.setSingleShot(true);
    connect(&m_expiry, &QTimer::timeout, this, &ExpiringClipboard::clearOwnCode);
}

ExpiringClipboard::~ExpiringClipboard()
{
    clearOwnCode();
}

void ExpiringClipboard::setLifetime(std::chrono::milliseconds lifetime)
{
    m_lifetime = lifetime;
    // A code copied before the change follows the new rule from now on.
    if (m_placed.isEmpty() || m_lifetime <= std::chrono::milliseconds::zero())
        m_expiry.stop();
    else
        m_expiry.start(m_lifetime);
}

bool ExpiringClipboard::setSecretText(const QString& text)
{
    if (!m_clipboard.setSecretText(text))
        return false;
    m_placed = text;
    if (m_lifetime > std::chrono::milliseconds::zero())
        m_expiry.start(m_lifetime);
    return true;
}

QString ExpiringClipboard::text() const
{
    return m_clipboard.text();
}

void ExpiringClipboard::clear()
{
    m_expiry.stop();
    m_placed.clear();
    m_clipboard.clear();
}

void ExpiringClipboard::clearOwnCode()
{
    m_expiry.stop();
    if (m_placed.isEmpty())
        return;
    // Comparing the text is the check available on every backend; matching digits copied by
    // someone else would be cleared too, which loses nothing the user could not copy again.
    if (m_clipboard.text() == m_placed)
        m_clipboard.clear();
    m_placed.clear();
}
