// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/copy_hud.h"

#include "ui/widgets/hud_content.h"

#include <QGraphicsOpacityEffect>
#include <QGuiApplication>
#include <QPropertyAnimation>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cmath>
#include <limits>

namespace {

int dismissDelayMilliseconds(double seconds)
{
    if (!(seconds > 0)) // also NaN
        return 0;
    const double milliseconds = seconds * 1000.0;
    if (milliseconds >= std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    return static_cast<int>(std::lround(milliseconds));
}

QScreen* panelScreen()
{
    if (QScreen* primary = QGuiApplication::primaryScreen())
        return primary;
    const auto screens = QGuiApplication::screens();
    return screens.isEmpty() ? nullptr : screens.first();
}

} // namespace

CopyHUD::CopyHUD(QObject* parent) : QObject(parent)
{
    m_dismissTimer.setSingleShot(true);
    connect(&m_dismissTimer, &QTimer::timeout, this, &CopyHUD::dismiss);
}

CopyHUD::~CopyHUD() = default;

QRect CopyHUD::panelFrame(const QRect& availableGeometry)
{
    const int x = availableGeometry.x() + (availableGeometry.width() - panelSize.width()) / 2;
    const int y = availableGeometry.y() + topMargin;
    return {QPoint(x, y), panelSize};
}

void CopyHUD::createPanel()
{
    // Bypassing the window manager keeps the panel out of task lists and window cycling, puts it
    // on every desktop and above full-screen windows, and guarantees it is never activated.
    m_panel =
        std::make_unique<QWidget>(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                               Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput |
                                               Qt::BypassWindowManagerHint);
    m_panel->setObjectName(QStringLiteral("CopyHUD"));
    m_panel->setWindowTitle(tr("Copy confirmation"));
    m_panel->setAttribute(Qt::WA_TranslucentBackground);
    m_panel->setAttribute(Qt::WA_ShowWithoutActivating);
    m_panel->setAttribute(Qt::WA_X11DoNotAcceptFocus);
    m_panel->setAttribute(Qt::WA_X11NetWmWindowTypeNotification);
    m_panel->setFocusPolicy(Qt::NoFocus);
    m_panel->setFixedSize(panelSize);

    // The content fades, not the window: window opacity needs a compositing X11 desktop, and
    // Wayland has none at all, while a translucent window shows a faded child everywhere.
    m_surface = new QWidget(m_panel.get());
    m_surface->setGeometry(QRect(QPoint(0, 0), panelSize));
    m_opacity = new QGraphicsOpacityEffect(m_surface);
    m_surface->setGraphicsEffect(m_opacity);

    m_fadeIn = new QPropertyAnimation(m_opacity, "opacity", m_panel.get());
    m_fadeIn->setDuration(fadeInMilliseconds);
    m_fadeIn->setEndValue(1.0);
    m_fadeOut = new QPropertyAnimation(m_opacity, "opacity", m_panel.get());
    m_fadeOut->setDuration(fadeOutMilliseconds);
    m_fadeOut->setEndValue(0.0);
    // A show during the fade-out stops the animation, and a stopped animation does not finish.
    connect(m_fadeOut, &QPropertyAnimation::finished, m_panel.get(), &QWidget::hide);
}

void CopyHUD::placePanel()
{
    QScreen* screen = panelScreen();
    if (screen == nullptr)
        return; // shown wherever it was
    m_panel->createWinId();
    if (QWindow* window = m_panel->windowHandle())
        window->setScreen(screen);
    m_panel->setGeometry(panelFrame(screen->availableGeometry()));
}

void CopyHUD::show(const QString& title, const QString& subtitle, double durationSeconds)
{
    if (!m_panel)
        createPanel();

    delete m_content;
    m_content = new HUDContent(title, subtitle, m_surface);
    m_content->setGeometry(QRect(QPoint(0, 0), panelSize));
    m_content->show();

    placePanel();

    m_fadeOut->stop();
    m_fadeIn->stop();
    m_opacity->setOpacity(0.0);
    m_panel->show();
    m_panel->raise();
    m_fadeIn->setStartValue(0.0);
    m_fadeIn->start();

    m_dismissTimer.start(dismissDelayMilliseconds(durationSeconds));
}

void CopyHUD::dismiss()
{
    if (!m_panel || !m_panel->isVisible())
        return;
    m_fadeIn->stop();
    m_fadeOut->setStartValue(m_opacity->opacity());
    m_fadeOut->start();
}

double CopyHUD::opacity() const
{
    return m_opacity != nullptr ? m_opacity->opacity() : 0.0;
}

bool CopyHUD::isFadingOut() const
{
    return m_fadeOut != nullptr && m_fadeOut->state() == QAbstractAnimation::Running;
}
