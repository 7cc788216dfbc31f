// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hotkeys/copy_feedback.h"

#include <QObject>
#include <QRect>
#include <QSize>
#include <QString>
#include <QTimer>
#include <memory>

class HUDContent;
class QGraphicsOpacityEffect;
class QPropertyAnimation;
class QWidget;

// The small confirmation panel shown at the top centre of the primary screen after a hotkey
// copied a code: it never takes focus, lets clicks through, stays above other windows on
// every desktop, fades in, stays for the given time and fades out.
class CopyHUD : public QObject, public CopyFeedback
{
    Q_OBJECT

public:
    static constexpr QSize panelSize{280, 64};
    static constexpr int topMargin = 12;
    static constexpr int fadeInMilliseconds = 180;
    static constexpr int fadeOutMilliseconds = 250;

    // The panel window is created on the first show, so constructing one (or a subclass) needs
    // no display. The application shell owns the program's one panel.
    explicit CopyHUD(QObject* parent = nullptr);
    ~CopyHUD() override;

    // Shows the panel with new content, or replaces the content of the panel already shown, and
    // keeps it up until durationSeconds after this call.
    void show(const QString& title, const QString& subtitle, double durationSeconds) override;
    // Fades the panel out and hides it; run by the dismissal timer.
    void dismiss();

    // Where the panel goes on a screen with this available geometry (y grows downward).
    static QRect panelFrame(const QRect& availableGeometry);

    // Inspection for tests.
    QWidget* panel() const { return m_panel.get(); }
    HUDContent* content() const { return m_content; }
    bool isDismissScheduled() const { return m_dismissTimer.isActive(); }
    int dismissIntervalMilliseconds() const { return m_dismissTimer.interval(); }
    double opacity() const;
    bool isFadingOut() const;

private:
    void createPanel();
    void placePanel();

    std::unique_ptr<QWidget> m_panel;
    QWidget* m_surface = nullptr;                // owned by the panel; holds the content
    QGraphicsOpacityEffect* m_opacity = nullptr; // owned by the surface
    HUDContent* m_content = nullptr;             // owned by the surface
    QPropertyAnimation* m_fadeIn = nullptr;      // owned by the panel
    QPropertyAnimation* m_fadeOut = nullptr;     // owned by the panel
    QTimer m_dismissTimer;
};
