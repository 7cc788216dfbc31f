// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

// The paste area of the add dialog. Text that would make it longer than a limit is refused
// before it is inserted: laying out megabytes of unbroken text would stall the window, and
// no setup link is that long. Links have no spaces, so lines wrap at any character.
class LinkTextEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit LinkTextEdit(qsizetype maximumLength, QWidget* parent = nullptr);

Q_SIGNALS:
    // A paste or drop was refused; `length` is the length the text would have had.
    void textRefused(qsizetype length);

protected:
    void insertFromMimeData(const QMimeData* source) override;

private:
    qsizetype m_maximumLength;
};
