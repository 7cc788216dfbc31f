// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/export/export_format_dialog.h"

#include "ui/widgets/label_factory.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

ExportFormatDialog::ExportFormatDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(tr("Export Accounts"));
    auto* column = new QVBoxLayout(this);
    auto* question = new QLabel(tr("Export all accounts as:"), this);
    column->addWidget(question);
    m_formats = new QButtonGroup(this);
    const std::pair<ExportFormat, QString> formats[] = {
        {ExportFormat::otpauthLinks, tr("Text file with otpauth:// links")},
        {ExportFormat::aegisVault, tr("Aegis-compatible vault, not encrypted")},
        {ExportFormat::aegisVaultEncrypted, tr("Aegis-compatible vault, encrypted with a password")},
        {ExportFormat::googleMigrationCodes, tr("Google Authenticator QR codes")},
    };
    for (const auto& [format, text] : formats) {
        auto* option = new QRadioButton(text, this);
        m_formats->addButton(option, static_cast<int>(format));
        column->addWidget(option);
    }
    auto* passwords = new QFormLayout;
    m_password = new QLineEdit(this);
    m_repeat = new QLineEdit(this);
    for (QLineEdit* field : {m_password, m_repeat}) {
        field->setEchoMode(QLineEdit::Password);
        connect(field, &QLineEdit::textChanged, this, &ExportFormatDialog::refresh);
    }
    passwords->addRow(tr("Password:"), m_password);
    passwords->addRow(tr("Repeat password:"), m_repeat);
    column->addLayout(passwords);
    m_mismatch = textLabel(tr("The passwords differ."), {.tone = TextTone::error}, this);
    column->addWidget(m_mismatch);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_buttons->button(QDialogButtonBox::Ok)->setText(tr("Continue…"));
    column->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_formats, &QButtonGroup::idToggled, this, &ExportFormatDialog::refresh);
    selectFormat(ExportFormat::aegisVaultEncrypted);
}

void ExportFormatDialog::selectFormat(ExportFormat format)
{
    m_formats->button(static_cast<int>(format))->setChecked(true);
    refresh();
}

void ExportFormatDialog::setFormatOffered(ExportFormat format, bool offered)
{
    m_formats->button(static_cast<int>(format))->setVisible(offered);
}

ExportChoice ExportFormatDialog::choice() const
{
    ExportChoice choice{static_cast<ExportFormat>(m_formats->checkedId()), std::nullopt};
    if (choice.format == ExportFormat::aegisVaultEncrypted)
        choice.password = m_password->text();
    return choice;
}

void ExportFormatDialog::refresh()
{
    const bool encrypted = m_formats->checkedId() == static_cast<int>(ExportFormat::aegisVaultEncrypted);
    m_password->setEnabled(encrypted);
    m_repeat->setEnabled(encrypted);
    const bool differ = encrypted && !m_repeat->text().isEmpty() && m_repeat->text() != m_password->text();
    m_mismatch->setVisible(differ);
    const bool complete =
        !encrypted || (!m_password->text().isEmpty() && m_repeat->text() == m_password->text());
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(complete);
}
