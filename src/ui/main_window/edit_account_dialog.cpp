// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/edit_account_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

EditAccountDialog::EditAccountDialog(const QString& issuer, const QString& name, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Edit Account"));
    auto* form = new QFormLayout(this);
    m_issuer = new QLineEdit(issuer, this);
    m_issuer->setPlaceholderText(tr("Example Inc."));
    m_name = new QLineEdit(name, this);
    m_name->setPlaceholderText(QStringLiteral("alice@example.com"));
    form->addRow(tr("Issuer:"), m_issuer);
    form->addRow(tr("Account name:"), m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // An account needs something to be recognised by.
    auto update = [this, buttons] {
        buttons->button(QDialogButtonBox::Save)
            ->setEnabled(!this->issuer().isEmpty() || !this->name().isEmpty());
    };
    connect(m_issuer, &QLineEdit::textChanged, this, update);
    connect(m_name, &QLineEdit::textChanged, this, update);
    m_name->setFocus();
}

QString EditAccountDialog::issuer() const
{
    return m_issuer->text().trimmed();
}

QString EditAccountDialog::name() const
{
    return m_name->text().trimmed();
}
