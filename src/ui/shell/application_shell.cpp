// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shell/application_shell.h"

#include "settings/app_settings.h"
#include "storage/account_store.h"
#include "ui/widgets/ticking_clock.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>
#include <utility>

namespace {

bool askToQuitWithUnsaved(int unsavedCount)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Brisvane"),
                    unsavedCount == 1
                        ? QStringLiteral("One account is not saved in the keyring yet.")
                        : QStringLiteral("%1 accounts are not saved in the keyring yet.").arg(unsavedCount));
    box.setInformativeText(
        QStringLiteral("The keyring refused to store them, so they would be lost if Brisvane quits now. Keep "
                       "Brisvane running "
                       "and it will store them with the next change once the keyring works again."));
    QPushButton* keep = box.addButton(QStringLiteral("Keep Running"), QMessageBox::RejectRole);
    QPushButton* quit = box.addButton(QStringLiteral("Quit Anyway"), QMessageBox::DestructiveRole);
    box.setDefaultButton(keep);
    box.exec();
    return box.clickedButton() == quit;
}

} // namespace

ApplicationShell::ApplicationShell(SecureItemStore& secureItems, QSettings& preferences, Clipboard& clipboard,
                                   HotKeyControllerFactory hotKeyControllerFactory,
                                   MainWindow::AddSheetFactory addSheet, QObject* parent)
    : QObject(parent), m_clipboard(clipboard),
      // The order matters: the accounts are loaded before the clock starts, and the settings
      // come last, as the views and the hotkey controller expect.
      m_store(std::make_unique<AccountStore>(secureItems)), m_clock(std::make_unique<TickingClock>()),
      m_settings(std::make_unique<AppSettings>(preferences)),
      m_hotKeyControllerFactory(std::move(hotKeyControllerFactory)), m_addSheet(std::move(addSheet)),
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
}

ApplicationShell::~ApplicationShell()
{
    // Views and the controller observe the shared objects, so they go first.
    m_mainWindow.reset();
    m_hotKeyController.reset();
}

void ApplicationShell::ensureHotKeyController()
{
    if (m_hotKeyController || !m_hotKeyControllerFactory)
        return;
    m_hotKeyController = m_hotKeyControllerFactory(*m_store, *m_settings);
}

MainWindow& ApplicationShell::mainWindow()
{
    if (!m_mainWindow) {
        m_mainWindow = std::make_unique<MainWindow>(*m_store, *m_clock, m_clipboard, m_addSheet);
        m_mainWindow->setSessionNotice(m_sessionNotice);
        if (m_clockSync != nullptr)
            m_mainWindow->watchClock(*m_clockSync, *m_settings);
        m_mainWindow->setQREncoder(m_qrEncoder);
        connect(m_mainWindow.get(), &MainWindow::contentShown, this,
                &ApplicationShell::ensureHotKeyController);
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

void ApplicationShell::setQREncoder(const QREncoder* encoder)
{
    m_qrEncoder = encoder;
    if (m_mainWindow)
        m_mainWindow->setQREncoder(encoder);
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
