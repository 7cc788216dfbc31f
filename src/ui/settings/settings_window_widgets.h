// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFrame;
class QLabel;
class QWidget;

// The recurring pieces of the settings tabs, so both tabs read alike.

// A section heading: title-3 size, bold.
QLabel* sectionTitle(const QString& text, QWidget* parent);
// Explanatory text under a control: caption size, secondary colour, wrapped.
QLabel* captionText(const QString& text, QWidget* parent);
// A line of callout text, semibold.
QLabel* calloutTitle(const QString& text, QWidget* parent);
QFrame* horizontalDivider(QWidget* parent);
