// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/account_qr_dialog.h"

#include "import/formats/otpauth_link.h"
#include "platform/clipboard.h"
#include "platform/qr_encoder.h"
#include "ui/widgets/label_factory.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int moduleSize = 6;

} // namespace

AccountQRDialog::AccountQRDialog(const Account& account, const QREncoder& encoder, Clipboard& clipboard,
                                 QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("QR Code: %1").arg(accountLabel(account)));
    const QString link = otpauthLink(account);
    auto* column = new QVBoxLayout(this);
    column->addWidget(textLabel(tr("Scan this code with an authenticator app to add the account there. "
                                   "Anyone who sees it can generate your codes."),
                                {.wrap = true}, this));
    m_image = new QLabel(this);
    m_image->setAlignment(Qt::AlignCenter);
    const QImage image = encoder.encodeQR(link, moduleSize);
    if (image.isNull())
        m_image->setText(tr("This account's link is too long for a QR code."));
    else
        m_image->setPixmap(QPixmap::fromImage(image));
    column->addWidget(m_image, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    QPushButton* copy = buttons->addButton(tr("Copy Link"), QDialogButtonBox::ActionRole);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(copy, &QPushButton::clicked, this, [&clipboard, link] { clipboard.setSecretText(link); });
}
