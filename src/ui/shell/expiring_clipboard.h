// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clipboard.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>

// Puts codes on the desktop clipboard and takes them off again after a while, and when the
// program ends, but only while the clipboard still holds the code put there: whatever the user
// copied since is theirs and stays.
class ExpiringClipboard : public QObject, public Clipboard
{
    Q_OBJECT
public:
    // `clipboard` must outlive this object. A zero lifetime keeps codes until replaced.
    explicit ExpiringClipboard(Clipboard& clipboard, QObject* parent = nullptr);
    // Clears a code that is still there, so it does not outlive the program.
    ~ExpiringClipboard() override;

    void setLifetime(std::chrono::milliseconds lifetime);
    std::chrono::milliseconds lifetime() const { return m_lifetime; }

    // A code the desktop refused is not ours to clear later.
    bool setSecretText(const QString& text) override;
    QString text() const override;
    void clear() override;

    // Clears the clipboard when it still holds the last code put there.
    void clearOwnCode();
    bool isHoldingCode() const { return !m_placed.isEmpty(); }

private:
    Clipboard& m_clipboard;
    std::chrono::milliseconds m_lifetime{0};
    QString m_placed;
    QTimer m_expiry;
};
