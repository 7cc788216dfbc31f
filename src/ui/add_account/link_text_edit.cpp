// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/add_account/link_text_edit.h"

#include <QMimeData>
#include <QTextCursor>
#include <QTextOption>

LinkTextEdit::LinkTextEdit(qsizetype maximumLength, QWidget* parent)
    : QPlainTextEdit(parent), m_maximumLength(maximumLength)
{
    setWordWrapMode(QTextOption::WrapAnywhere);
}

void LinkTextEdit::insertFromMimeData(const QMimeData* source)
{
    if (source != nullptr && source->hasText()) {
        // Only the text counts here, so the check costs one pass over what is pasted.
        const qsizetype replaced = textCursor().selectionEnd() - textCursor().selectionStart();
        const qsizetype length = document()->characterCount() - 1 - replaced + source->text().size();
        if (length > m_maximumLength) {
            Q_EMIT textRefused(length);
            return;
        }
    }
    QPlainTextEdit::insertFromMimeData(source);
}
