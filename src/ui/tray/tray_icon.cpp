// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/tray/tray_icon.h"

#include "settings/app_settings.h"
#include "storage/account_store.h"
#include "ui/tray/tray_accounts.h"
#include "ui/tray/tray_icon_image.h"
#include "ui/tray/tray_window.h"
#include "ui/tray/tray_window_placement.h"
#include "ui/widgets/app_icons.h"
#include "ui/widgets/ticking_clock.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <cmath>

namespace {

// A click on the icon that arrives this soon after the window closed is the click that closed it.
constexpr qint64 reopenGuardMs = 300;
constexpr int iconHeight = 22;

} // namespace

TrayIcon::TrayIcon(AccountStore& store, TickingClock& clock, AppSettings& settings, Clipboard& clipboard,
                   QObject* parent)
    : QObject(parent), m_store(store), m_clock(clock), m_settings(settings),
      m_menu(std::make_unique<QMenu>()),
      m_window(std::make_unique<TrayWindow>(store, clock, settings, clipboard))
{
    m_menu->addAction(tr("Open Brisvane"), this, &TrayIcon::openMainWindowRequested);
    m_menu->addAction(tr("Settings…"), this, &TrayIcon::settingsRequested);
    m_menu->addAction(tr("Export…"), this, &TrayIcon::exportRequested)
        ->setObjectName(QStringLiteral("exportAction"));
    m_menu->addAction(tr("About Brisvane"), this, &TrayIcon::aboutRequested);
    m_menu->addSeparator();
    m_menu->addAction(tr("Quit"), this, &TrayIcon::quitRequested);
    m_tray.setContextMenu(m_menu.get());

    connect(&m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            toggleWindow();
    });
    connect(m_window.get(), &TrayWindow::openMainWindowRequested, this, &TrayIcon::openMainWindowRequested);
    connect(m_window.get(), &TrayWindow::settingsRequested, this, &TrayIcon::settingsRequested);
    connect(m_window.get(), &TrayWindow::quitRequested, this, &TrayIcon::quitRequested);
    connect(m_window.get(), &TrayWindow::hidden, this, [this] { m_sinceWindowClosed.start(); });

    connect(&m_store, &AccountStore::accountsChanged, this, &TrayIcon::refreshLabel);
    connect(&m_settings, &AppSettings::showCodeInMenuBarChanged, this, &TrayIcon::refreshLabel);
    connect(&m_settings, &AppSettings::menuBarAccountIDChanged, this, &TrayIcon::refreshLabel);
    connect(&m_clock, &TickingClock::nowChanged, this, &TrayIcon::refreshLabel);
    paintLabel();
    refreshLabel();
}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::show()
{
    m_tray.show();
    paintLabel();
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::toggleWindow()
{
    if (m_window->isVisible()) {
        m_window->close();
        return;
    }
    if (m_sinceWindowClosed.isValid() && m_sinceWindowClosed.elapsed() < reopenGuardMs)
        return;
    const QRect icon = m_tray.geometry();
    const QPoint cursor = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(icon.isValid() ? icon.center() : cursor);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    m_window->ensureRowsBuilt();
    m_window->adjustSize();
    m_window->popUp(trayWindowPosition(icon, cursor, m_window->size(), available));
}

void TrayIcon::refreshLabel()
{
    std::optional<QString> code = trayCodeText(m_store.accounts(), m_settings.showCodeInMenuBar(),
                                               m_settings.menuBarAccountID(), m_clock.now());
    // Redrawing the tray image every second would make some trays flicker.
    if (m_painted && code == m_shownCode)
        return;
    m_shownCode = std::move(code);
    paintLabel();
}

void TrayIcon::paintLabel()
{
    m_painted = true;
    const qreal ratio = qApp != nullptr ? qApp->devicePixelRatio() : 1.0;
    const QFont font = QApplication::font();
    QImage image = trayIconImage(appIcon(AppIcon::trayKey), m_shownCode.value_or(QString()),
                                 static_cast<int>(iconHeight * ratio), font);
    image.setDevicePixelRatio(ratio);
    m_tray.setIcon(QIcon(QPixmap::fromImage(image)));
    m_tray.setToolTip(m_shownCode.value_or(QStringLiteral("Brisvane")));
    fitEmbeddedIcon(image.deviceIndependentSize().toSize());
}

void TrayIcon::fitEmbeddedIcon(const QSize& size)
{
    // An XEmbed tray gives Qt's icon window a fixed square and the picture is scaled into it,
    // which would shrink the code to nothing. Trays that honour the window's requested size
    // (most XEmbed hosts) then make room for the code. Other hosts never see this window.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->inherits("QSystemTrayIconSys"))
            continue;
        // The picture keeps its proportions inside the window.
        const int height = std::max(widget->height(), 1);
        const int width =
            static_cast<int>(std::ceil(size.width() * double(height) / std::max(size.height(), 1)));
        const QSize wanted(std::max(width, height), height);
        if (widget->minimumSize() == wanted)
            continue;
        widget->setMinimumSize(wanted);
        widget->resize(wanted);
    }
}
