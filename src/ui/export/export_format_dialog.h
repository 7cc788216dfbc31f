// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/formats/export_document.h"

#include <QDialog>
#include <QString>
#include <optional>

class QButtonGroup;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

// What the user wants the accounts exported as.
struct ExportChoice
{
    ExportFormat format = ExportFormat::otpauthLinks;
    std::optional<QString> password; // the encrypted vault's, entered twice alike
};

// The first question of an export: which format, and for the encrypted vault its password,
// typed twice. OK stays disabled until the choice is complete.
class ExportFormatDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ExportFormatDialog(QWidget* parent = nullptr);

    ExportChoice choice() const;

    void selectFormat(ExportFormat format);
    // Hides a format this program cannot export now (the QR codes without an encoder).
    void setFormatOffered(ExportFormat format, bool offered);
    QLineEdit* passwordField() const { return m_password; }
    QLineEdit* repeatField() const { return m_repeat; }
    QDialogButtonBox* buttons() const { return m_buttons; }

private:
    void refresh();

    QButtonGroup* m_formats = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_repeat = nullptr;
    QLabel* m_mismatch = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};
