// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/main_window/main_window.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class AboutWindow;
class AccountExport;
class AccountStore;
class AppSettings;
class ClockSync;
class QREncoder;
class Clipboard;
class CopyHUD;
class ExpiringClipboard;
class HotKeyController;
class HotKeyService;
class KeystrokeSender;
class LoginItem;
class QSettings;
class SecureItemStore;
class SettingsWindow;
class SoundPlayer;
class TickingClock;
class TrayIcon;

// The platform services the shell's parts are built over, chosen by the caller; every one must
// outlive the shell.
struct ShellServices
{
    SecureItemStore& secureItems;
    QSettings& preferences;
    // The desktop clipboard; the shell puts codes there through an expiring wrapper of its own.
    Clipboard& clipboard;
    HotKeyService& hotKeys;
    KeystrokeSender& keystrokes;
    SoundPlayer& sounds;
    LoginItem& loginItem;
    // The program "Open Keyring Manager" starts; empty hides that button.
    QString keyringManager;
    // Lets the main window tell when the system clock is not synchronised; may be null.
    ClockSync* clockSync = nullptr;
    // What the Hotkeys tab says when global hotkeys cannot work in this session; empty when
    // they can.
    QString hotKeysNotice = {};
};

// Owns the long-lived objects for the life of the process: the account store, the clock, the
// settings (created in that order), the clipboard that clears codes again, the copy panel and,
// once any window or tray content has appeared, the one hotkey controller; then the main
// window, the tray, the settings and About windows, each created on first use and wired here.
class ApplicationShell : public QObject
{
    Q_OBJECT
public:
    ApplicationShell(ShellServices services, MainWindow::AddSheetFactory addSheet, QObject* parent = nullptr);
    ~ApplicationShell() override;

    AccountStore& store() const { return *m_store; }
    TickingClock& clock() const { return *m_clock; }
    AppSettings& settings() const { return *m_settings; }
    // Every copy goes through here, so each code leaves the clipboard again.
    ExpiringClipboard& clipboard() const { return *m_clipboard; }
    CopyHUD& copyPanel() const { return *m_copyPanel; }

    // Creates the hotkey controller the first time; later calls do nothing.
    void ensureHotKeyController();
    HotKeyController* hotKeyController() const { return m_hotKeyController.get(); }

    // The main window, created on first use; it is hidden rather than destroyed when closed.
    MainWindow& mainWindow();
    bool hasMainWindow() const { return m_mainWindow != nullptr; }
    // Shows the main window and brings it to the front.
    void showMainWindow();
    // Shown in the main window under the list (for example what a Wayland session cannot do).
    void setSessionNotice(const QString& text);
    // Lets the main window show an account's QR code; the encoder must outlive the shell.
    void setQREncoder(const QREncoder* encoder);

    // Puts the icon into the tray. Without a tray the main window is the only way in, so closing
    // it ends the program; with one, the program keeps serving hotkeys from the tray, as it does
    // when started hidden. Returns whether the icon is in a tray.
    bool startTray(bool startedHidden);
    TrayIcon* tray() const { return m_tray.get(); }

    // The settings window, created on first use, shown and brought to the front. While its
    // recorder records, the hotkeys are suspended, so a combination already bound reaches it.
    void showSettings();
    SettingsWindow* settingsWindow() const { return m_settingsWindow.get(); }
    void showAbout();
    AboutWindow* aboutWindow() const { return m_aboutWindow.get(); }

    // The export questions and the window of codes, over the store; created on first use.
    AccountExport& accountExport();
    // Export… from the tray or the main window's menu: over the main window when it shows.
    void exportAccounts();

    // Asked before quitting while accounts exist only in memory (their keyring write failed);
    // given how many, answers whether to quit anyway. The default asks with a message box.
    using UnsavedQuitConfirmation = std::function<bool(int unsavedCount)>;
    void setUnsavedQuitConfirmation(UnsavedQuitConfirmation confirm)
    {
        m_confirmUnsavedQuit = std::move(confirm);
    }
    // Every way of ending the program goes through this rule: the unsaved accounts (and
    // deletes) are tried once more; if accounts would still be lost, the user is asked, and
    // when nobody can be asked the program keeps running and says why on standard error.
    // Returns whether the program may end.
    bool mayQuit(bool canAsk = true);
    // mayQuit, then ends the event loop. Returns whether the application is quitting.
    bool requestQuit();
    // Without a tray the main window is the only way back in, so closing it means quitting
    // (under the same rule); with a tray it only hides. Quitting is the default.
    void setClosingMainWindowQuits(bool quits) { m_closingMainWindowQuits = quits; }
    // The last chance before the event loop ends: one more write, and a note of what is lost.
    void saveBeforeExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ShellServices m_services;
    std::unique_ptr<AccountStore> m_store;
    std::unique_ptr<TickingClock> m_clock;
    std::unique_ptr<AppSettings> m_settings;
    std::unique_ptr<ExpiringClipboard> m_clipboard;
    std::unique_ptr<CopyHUD> m_copyPanel;
    MainWindow::AddSheetFactory m_addSheet;
    std::unique_ptr<HotKeyController> m_hotKeyController;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<TrayIcon> m_tray;
    std::unique_ptr<SettingsWindow> m_settingsWindow;
    std::unique_ptr<AboutWindow> m_aboutWindow;
    std::unique_ptr<AccountExport> m_export;
    QString m_sessionNotice;
    const QREncoder* m_qrEncoder = nullptr;
    UnsavedQuitConfirmation m_confirmUnsavedQuit;
    bool m_closingMainWindowQuits = true;
    bool m_asking = false;
    bool m_quitting = false;
};
