// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSize>
#include <QString>
#include <QSystemTrayIcon>
#include <memory>
#include <optional>

class AccountStore;
class AppSettings;
class Clipboard;
class QMenu;
class TickingClock;
class TrayWindow;

// The tray item: the key icon, optionally followed by the chosen account's current code (also
// the tooltip). A left click opens the tray window beside the icon; the context menu opens the
// main window, the settings or About, exports the accounts, or quits. The application connects the request
// signals.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    // The shared objects must outlive the tray icon.
    TrayIcon(AccountStore& store, TickingClock& clock, AppSettings& settings, Clipboard& clipboard,
             QObject* parent = nullptr);
    ~TrayIcon() override;

    // Puts the icon into the tray; false when the session has no tray to put it in.
    bool show();

    TrayWindow& window() const { return *m_window; }
    // The code drawn after the key, absent when the icon stands alone.
    const std::optional<QString>& shownCode() const { return m_shownCode; }
    QSystemTrayIcon& systemTrayIcon() { return m_tray; }

    // Opens the window next to the icon (or near the cursor), or closes it when it is open.
    void toggleWindow();

Q_SIGNALS:
    void openMainWindowRequested();
    void settingsRequested();
    void exportRequested();
    void aboutRequested();
    void quitRequested();

private:
    void refreshLabel();
    void paintLabel();
    void fitEmbeddedIcon(const QSize& size);

    AccountStore& m_store;
    TickingClock& m_clock;
    AppSettings& m_settings;
    QSystemTrayIcon m_tray;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<TrayWindow> m_window;
    std::optional<QString> m_shownCode;
    bool m_painted = false;
    // The click that closes the popup also reaches the icon; it must not reopen the window.
    QElapsedTimer m_sinceWindowClosed;
};
