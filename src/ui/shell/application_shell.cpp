// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/application_shell.h"

#include "hotkeys/hot_key_controller.h"
#include "settings/app_settings.h"
#include "storage/account_store.h"
#include "ui/about/about_window.h"
#include "ui/export/account_export.h"
#include "ui/settings/hotkeys_tab.h"
#include "ui/settings/settings_window.h"
#include "ui/shell/expiring_clipboard.h"
#include "ui/tray/tray_icon.h"
#include "ui/widgets/copy_hud.h"
#include "ui/widgets/ticking_clock.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <chrono>
#include <cstdio>
#include <utility>

namespace {

bool askToQuitWithUnsaved(int unsavedCount)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Brisvane"),
                    QCoreApplication::translate("ApplicationShell",
                                                "%n account(s) not saved in the keyring yet.", nullptr,
                                                unsavedCount));
    box.setInformativeText(QCoreApplication::translate(
        "ApplicationShell",
        "The keyring could not store them, so they would be lost if Brisvane quits now. Keep "
        "Brisvane running and it will store them with the next change once the keyring works again.",
        nullptr, unsavedCount));
    QPushButton* keep = box.addButton(QCoreApplication::translate("ApplicationShell", "Keep Running"),
                                      QMessageBox::RejectRole);
    QPushButton* quit = box.addButton(QCoreApplication::translate("ApplicationShell", "Quit Anyway"),
                                      QMessageBox::DestructiveRole);
    box.setDefaultButton(keep);
    box.exec();
    return box.clickedButton() == quit;
}

} // namespace

ApplicationShell::ApplicationShell(ShellServices services, MainWindow::AddSheetFactory addSheet,
                                   QObject* parent)
    : QObject(parent), m_services(std::move(services)),
      // The order matters: the accounts start loading before the clock starts, and the settings
      // come last, as the views and the hotkey controller expect. The keyring is waited on by a
      // thread of the store's own, never by the windows.
      m_store(std::make_unique<AccountStore>(m_services.secureItems, AccountStore::Calls::onWorkerThread)),
      m_clock(std::make_unique<TickingClock>()),
      m_settings(std::make_unique<AppSettings>(m_services.preferences)),
      m_clipboard(std::make_unique<ExpiringClipboard>(m_services.clipboard)),
      m_copyPanel(std::make_unique<CopyHUD>()), m_addSheet(std::move(addSheet)),
      m_confirmUnsavedQuit(askToQuitWithUnsaved)
{
    // Any other window that was the last one open (settings opened from the command line)
    // ends the program under the same rule; kept running, the main window is the way back.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::lastWindowClosed, this, [this] {
            if (m_closingMainWindowQuits && !requestQuit())
                showMainWindow();
        });
    }
    const auto followClearSetting = [this](int seconds) {
        m_clipboard->setLifetime(std::chrono::seconds(seconds));
    };
    followClearSetting(m_settings->clearClipboardSeconds());
    connect(m_settings.get(), &AppSettings::clearClipboardSecondsChanged, m_clipboard.get(),
            followClearSetting);
}

ApplicationShell::~ApplicationShell()
{
    // Windows and the controller observe the shared objects, and the controller shows the copy
    // panel, so they go first.
    m_export.reset();
    m_aboutWindow.reset();
    m_settingsWindow.reset();
    m_tray.reset();
    m_mainWindow.reset();
    m_hotKeyController.reset();
}

void ApplicationShell::ensureHotKeyController()
{
    if (m_hotKeyController)
        return;
    m_hotKeyController =
        std::make_unique<HotKeyController>(*m_store, *m_settings, m_services.hotKeys, *m_clipboard,
                                           m_services.keystrokes, m_services.sounds, *m_copyPanel);
}

MainWindow& ApplicationShell::mainWindow()
{
    if (!m_mainWindow) {
        m_mainWindow = std::make_unique<MainWindow>(*m_store, *m_clock, *m_clipboard, m_addSheet);
        m_mainWindow->setSessionNotice(m_sessionNotice);
        if (m_services.clockSync != nullptr)
            m_mainWindow->watchClock(*m_services.clockSync, *m_settings);
        m_mainWindow->setQREncoder(m_qrEncoder);
        connect(m_mainWindow.get(), &MainWindow::contentShown, this,
                &ApplicationShell::ensureHotKeyController);
        connect(m_mainWindow.get(), &MainWindow::settingsRequested, this, &ApplicationShell::showSettings);
        connect(m_mainWindow.get(), &MainWindow::aboutRequested, this, &ApplicationShell::showAbout);
        connect(m_mainWindow.get(), &MainWindow::exportRequested, this, &ApplicationShell::exportAccounts);
        connect(m_mainWindow.get(), &MainWindow::quitRequested, this, &ApplicationShell::requestQuit);
        m_mainWindow->installEventFilter(this);
    }
    return *m_mainWindow;
}

void ApplicationShell::showMainWindow()
{
    MainWindow& window = mainWindow();
    if (window.isMinimized())
        window.showNormal();
    else
        window.show();
    window.raise();
    window.activateWindow();
}

AccountExport& ApplicationShell::accountExport()
{
    if (!m_export)
        m_export = std::make_unique<AccountExport>(*m_store, m_qrEncoder);
    return *m_export;
}

void ApplicationShell::exportAccounts()
{
    QWidget* parent = m_mainWindow && m_mainWindow->isVisible() ? m_mainWindow.get() : nullptr;
    accountExport().run(parent);
}

void ApplicationShell::setQREncoder(const QREncoder* encoder)
{
    m_qrEncoder = encoder;
    if (m_mainWindow)
        m_mainWindow->setQREncoder(encoder);
    if (m_export)
        m_export->setQREncoder(encoder);
}

void ApplicationShell::setSessionNotice(const QString& text)
{
    m_sessionNotice = text;
    if (m_mainWindow)
        m_mainWindow->setSessionNotice(text);
}

bool ApplicationShell::mayQuit(bool canAsk)
{
    // A second request while the question is open (a signal, the session) waits for the answer.
    if (m_asking)
        return false;
    m_store->retryPendingChanges();
    const auto unsaved = static_cast<int>(m_store->unsavedAccounts().size());
    // Once decided, the windows closing on the way out ask nothing more.
    if (unsaved == 0 || m_quitting)
        return true;
    if (!canAsk) {
        std::fprintf(stderr,
                     "Brisvane keeps running: %d account(s) are not in the keyring yet and would be lost. "
                     "Unlock or start the keyring, or quit from the Brisvane window to decide.\n",
                     unsaved);
        return false;
    }
    m_asking = true;
    const bool quit = m_confirmUnsavedQuit(unsaved);
    m_asking = false;
    return quit;
}

bool ApplicationShell::startTray(bool startedHidden)
{
    if (!m_tray) {
        m_tray = std::make_unique<TrayIcon>(*m_store, *m_clock, *m_settings, *m_clipboard);
        connect(m_tray.get(), &TrayIcon::openMainWindowRequested, this, &ApplicationShell::showMainWindow);
        connect(m_tray.get(), &TrayIcon::quitRequested, this, &ApplicationShell::requestQuit);
        connect(m_tray.get(), &TrayIcon::settingsRequested, this, &ApplicationShell::showSettings);
        connect(m_tray.get(), &TrayIcon::aboutRequested, this, &ApplicationShell::showAbout);
        connect(m_tray.get(), &TrayIcon::exportRequested, this, &ApplicationShell::exportAccounts);
    }
    const bool inTray = m_tray->show();
    // Without a tray the main window is the only way in, so closing it ends the program;
    // with one, the program keeps serving hotkeys from the tray.
    setClosingMainWindowQuits(!inTray);
    if (startedHidden || inTray)
        ensureHotKeyController();
    return inTray;
}

void ApplicationShell::showSettings()
{
    ensureHotKeyController();
    if (!m_settingsWindow) {
        m_settingsWindow = std::make_unique<SettingsWindow>(*m_store, *m_settings, m_services.loginItem,
                                                            m_services.keystrokes, m_services.keyringManager);
        HotKeysTab* hotKeysTab = m_settingsWindow->hotKeysTab();
        hotKeysTab->setSessionNotice(m_services.hotKeysNotice);
        HotKeyController* controller = m_hotKeyController.get();
        connect(hotKeysTab, &HotKeysTab::recordingChanged, controller, &HotKeyController::setSuspended);
        // Where the desktop decides the keys, each row says which one it actually assigned.
        hotKeysTab->setDesktopTriggers(
            [controller](const QUuid& id) { return controller->desktopTrigger(id); });
        connect(controller, &HotKeyController::desktopTriggersChanged, hotKeysTab,
                &HotKeysTab::refreshDesktopTriggers);
    }
    m_settingsWindow->present();
}

void ApplicationShell::showAbout()
{
    if (!m_aboutWindow)
        m_aboutWindow = std::make_unique<AboutWindow>(m_services.preferences.fileName());
    m_aboutWindow->present();
}

bool ApplicationShell::requestQuit()
{
    if (!mayQuit())
        return false;
    m_quitting = true;
    QCoreApplication::quit();
    return true;
}

void ApplicationShell::saveBeforeExit()
{
    m_store->retryPendingChanges();
    if (const auto unsaved = m_store->unsavedAccounts().size(); unsaved > 0)
        std::fprintf(stderr, "Brisvane: %d account(s) could not be stored in the keyring and are lost.\n",
                     static_cast<int>(unsaved));
}

bool ApplicationShell::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && m_mainWindow && watched == m_mainWindow.get() &&
        m_closingMainWindowQuits && !requestQuit()) {
        // Refused: the window stays open, as it is the only way back in.
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
