// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

// Edits the two texts by which an account is recognised; its secret and parameters stay.
class EditAccountDialog : public QDialog
{
    Q_OBJECT
public:
    EditAccountDialog(const QString& issuer, const QString& name, QWidget* parent = nullptr);

    QString issuer() const;
    QString name() const;

    QLineEdit* issuerField() const { return m_issuer; }
    QLineEdit* nameField() const { return m_name; }

private:
    QLineEdit* m_issuer = nullptr;
    QLineEdit* m_name = nullptr;
};
