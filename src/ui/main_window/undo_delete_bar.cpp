// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/undo_delete_bar.h"

#include "ui/widgets/label_factory.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>

UndoDeleteBar::UndoDeleteBar(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("undoDeleteBar"));
    setStyleSheet(QStringLiteral("QFrame#undoDeleteBar { background: palette(alternate-base); }"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 4, 8, 4);
    m_message = textLabel(QString(), {.style = TextStyle::callout}, this);
    row->addWidget(m_message, 1);
    m_undo = new QPushButton(tr("Undo"), this);
    m_undo->setShortcut(QKeySequence::Undo);
    row->addWidget(m_undo);
    connect(m_undo, &QPushButton::clicked, this, &UndoDeleteBar::undoRequested);
    hide();
}

void UndoDeleteBar::showDeleted(const QString& accountLabel)
{
    m_message->setText(tr("Deleted %1").arg(accountLabel));
    show();
}
