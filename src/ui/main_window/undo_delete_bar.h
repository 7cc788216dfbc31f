// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <chrono>

class QLabel;
class QPushButton;

// The notice under the list after a delete: "Deleted Bank: alice" with an Undo button.
class UndoDeleteBar : public QFrame
{
    Q_OBJECT
public:
    // How long a delete can be undone.
    static constexpr std::chrono::seconds undoTime{10};

    explicit UndoDeleteBar(QWidget* parent = nullptr);

    void showDeleted(const QString& accountLabel);

    QLabel* message() const { return m_message; }
    QPushButton* undoButton() const { return m_undo; }

Q_SIGNALS:
    void undoRequested();

private:
    QLabel* m_message = nullptr;
    QPushButton* m_undo = nullptr;
};
