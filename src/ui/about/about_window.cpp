// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about/about_window.h"

#include "ui/widgets/app_icons.h"
#include "ui/widgets/label_factory.h"
#include "ui/widgets/ui_fonts.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr LabelLook paragraph{.wrap = true, .alignment = Qt::AlignHCenter};
constexpr LabelLook smallParagraph{.style = TextStyle::callout, .wrap = true, .alignment = Qt::AlignHCenter};

} // namespace

AboutWindow::AboutWindow(const QString& settingsFile, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutWindow"));
    setWindowTitle(tr("About Brisvane"));
    setWindowIcon(appIcon(AppIcon::application));
    setMinimumWidth(420);

    auto* column = new QVBoxLayout(this);
    column->setSpacing(10);
    column->setContentsMargins(24, 20, 24, 16);

    auto* icon = new QLabel(this);
    icon->setPixmap(appIcon(AppIcon::application).pixmap(64, 64));
    column->addWidget(icon, 0, Qt::AlignHCenter);

    column->addWidget(textLabel(QStringLiteral("Brisvane"), {.style = TextStyle::title2}, this), 0,
                      Qt::AlignHCenter);

    m_version = textLabel(tr("Version %1").arg(QCoreApplication::applicationVersion()), paragraph, this);
    m_version->setObjectName(QStringLiteral("aboutVersion"));
    m_version->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_version);

    column->addWidget(
        textLabel(tr("One-time password codes (TOTP and HOTP) for your accounts."), paragraph, this));

    auto* licence = textLabel(
        tr("This program comes with absolutely no warranty. It is free software: you can redistribute it "
           "and/or modify it under the terms of the <a href=\"%1\">GNU General Public License</a>, version 3 "
           "or (at your option) any later version.")
            .arg(QStringLiteral("https://www.gnu.org/licenses/gpl-3.0.html")),
        smallParagraph, this);
    licence->setObjectName(QStringLiteral("aboutLicence"));
    licence->setTextFormat(Qt::RichText);
    licence->setOpenExternalLinks(true);
    column->addWidget(licence);

    m_storage = textLabel(tr("Accounts are kept in your login keyring through the Secret Service. "
                             "Settings are kept in %1.")
                              .arg(settingsFile),
                          smallParagraph, this);
    m_storage->setObjectName(QStringLiteral("aboutStorage"));
    m_storage->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_storage);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    column->addWidget(buttons);
}

void AboutWindow::present()
{
    show();
    raise();
    activateWindow();
}
