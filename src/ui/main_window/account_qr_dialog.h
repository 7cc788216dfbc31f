// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/account.h"

#include <QDialog>

class Clipboard;
class QLabel;
class QREncoder;

// An account's setup link as a QR code, for adding it to a phone, with the link copyable.
class AccountQRDialog : public QDialog
{
    Q_OBJECT
public:
    AccountQRDialog(const Account& account, const QREncoder& encoder, Clipboard& clipboard,
                    QWidget* parent = nullptr);

    QLabel* codeImage() const { return m_image; }

private:
    QLabel* m_image = nullptr;
};
