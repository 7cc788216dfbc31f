// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/main_window/main_window.h"

#include <QObject>
#include <functional>
#include <memory>

class AccountStore;
class AppSettings;
class ClockSync;
class QREncoder;
class Clipboard;
class QSettings;
class SecureItemStore;
class TickingClock;

// Owns the long-lived objects for the life of the process: the account store, the clock, the
// settings (created in that order) and, once any window or tray content has appeared, the one
// hotkey controller. Platform services are chosen by the caller and must outlive the shell.
class ApplicationShell : public QObject
{
    Q_OBJECT
public:
    // Builds the hotkey controller over the shared store and settings.
    using HotKeyControllerFactory = std::function<std::unique_ptr<QObject>(AccountStore&, AppSettings&)>;

    ApplicationShell(SecureItemStore& secureItems, QSettings& preferences, Clipboard& clipboard,
                     HotKeyControllerFactory hotKeyControllerFactory, MainWindow::AddSheetFactory addSheet,
                     QObject* parent = nullptr);
    ~ApplicationShell() override;

    AccountStore& store() const { return *m_store; }
    TickingClock& clock() const { return *m_clock; }
    AppSettings& settings() const { return *m_settings; }
    Clipboard& clipboard() const { return m_clipboard; }

    // Creates the hotkey controller the first time; later calls do nothing.
    void ensureHotKeyController();
    QObject* hotKeyController() const { return m_hotKeyController.get(); }

    // The main window, created on first use; it is hidden rather than destroyed when closed.
    MainWindow& mainWindow();
    bool hasMainWindow() const { return m_mainWindow != nullptr; }
    // Shows the main window and brings it to the front.
    void showMainWindow();
    // Shown in the main window under the list (for example what a Wayland session cannot do).
    void setSessionNotice(const QString& text);
    // Lets the main window tell when the system clock is not synchronised; must outlive the shell.
    void setClockSync(ClockSync* sync) { m_clockSync = sync; }
    // Lets the main window show an account's QR code; the encoder must outlive the shell.
    void setQREncoder(const QREncoder* encoder);

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
    Clipboard& m_clipboard;
    std::unique_ptr<AccountStore> m_store;
    std::unique_ptr<TickingClock> m_clock;
    std::unique_ptr<AppSettings> m_settings;
    HotKeyControllerFactory m_hotKeyControllerFactory;
    MainWindow::AddSheetFactory m_addSheet;
    std::unique_ptr<QObject> m_hotKeyController;
    std::unique_ptr<MainWindow> m_mainWindow;
    QString m_sessionNotice;
    ClockSync* m_clockSync = nullptr;
    const QREncoder* m_qrEncoder = nullptr;
    UnsavedQuitConfirmation m_confirmUnsavedQuit;
    bool m_closingMainWindowQuits = true;
    bool m_asking = false;
    bool m_quitting = false;
};
