// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

class QButtonGroup;
class QHBoxLayout;
class QToolButton;

// A row of joined, mutually exclusive toggle buttons, each standing for an integer value:
// the segmented control of the add-account dialog.
class AddAccountSegmentedControl : public QWidget
{
    Q_OBJECT
public:
    explicit AddAccountSegmentedControl(QWidget* parent = nullptr);

    // Segments appear in the order they are added; the first one starts selected.
    QToolButton* addSegment(int value, const QString& title, const QIcon& icon = {});

    int selected() const;
    // Does not emit selectedChanged.
    void setSelected(int value);

Q_SIGNALS:
    // Only for the user's choices.
    void selectedChanged(int value);

private:
    QButtonGroup* m_group;
    QHBoxLayout* m_layout;
};
