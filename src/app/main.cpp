// SPDX-License-Identifier: GPL-3.0-or-later
// The only place where real platform backends are chosen and wired.

#include "import/qr_importer.h"
#include "platform/dbus/timedated_clock_sync.h"
#include "platform/portal/portal_hot_key_service.h"
#include "platform/portal/portal_keystroke_sender.h"
#include "platform/portal/portal_screen_capture.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_image_file_reader.h"
#include "platform/qt/qt_screen_capture.h"
#include "platform/secret_service/secret_service_item_store.h"
#include "platform/session/detected_desktop_session.h"
#include "platform/session/display_session.h"
#include "platform/session/keyring_manager.h"
#include "platform/session/termination_signal.h"
#include "platform/session/unavailable_hot_key_service.h"
#include "platform/session/unavailable_keystroke_sender.h"
#include "platform/sound/canberra_sound_player.h"
#include "platform/wayland/data_control_clipboard.h"
#include "platform/x11/x11_hot_key_service.h"
#include "platform/x11/x11_keystroke_sender.h"
#include "platform/xdg/xdg_autostart_entry.h"
#include "platform/zxing/zxing_qr_detector.h"
#include "platform/zxing/zxing_qr_encoder.h"
#include "settings/app_settings.h"
#include "ui/add_account/add_account_dialog.h"
#include "ui/shell/application_shell.h"
#include "ui/shell/single_instance.h"
#include "ui/shell/translations.h"
#include "ui/widgets/app_icons.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QSessionManager>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

struct Options
{
    bool hidden = false;
    bool settings = false;
    QString link; // an otpauth:// link to add, as the desktop's URL handler passes it
};

SingleInstance::Request instanceRequest(const Options& options)
{
    if (options.settings)
        return SingleInstance::Request::settings;
    return options.hidden && options.link.isEmpty() ? SingleInstance::Request::none
                                                    : SingleInstance::Request::activate;
}

// The settings key of the RemoteDesktop portal's restore token.
const QString remoteDesktopTokenKey = QStringLiteral("remoteDesktopRestoreToken");

struct Backends
{
    std::unique_ptr<HotKeyService> hotKeys;
    std::unique_ptr<KeystrokeSender> keystrokes;
    std::unique_ptr<DetectedDesktopSession> desktop;
};

// X11 backends on X11 (also through XWayland); on native Wayland the desktop portals where
// they exist, and a clear notice naming what is missing where they do not.
Backends chooseBackends(const DisplaySession& display, QSettings& preferences)
{
    Backends chosen;
    const auto kind = DetectedDesktopSession::kindFor(QGuiApplication::platformName(), display.hasWayland);
    DetectedDesktopSession::Features features;
    if (kind == DetectedDesktopSession::Kind::wayland) {
        features.globalShortcuts = PortalHotKeyService::isAvailable();
        features.remoteDesktop = PortalKeystrokeSender::isAvailable();
        features.screenshot = PortalScreenCapture::isAvailable();
        if (features.globalShortcuts)
            chosen.hotKeys = std::make_unique<PortalHotKeyService>();
        else
            chosen.hotKeys = std::make_unique<UnavailableHotKeyService>();
        if (features.remoteDesktop)
            chosen.keystrokes = std::make_unique<PortalKeystrokeSender>(PortalKeystrokeSender::RestoreToken{
                [&preferences] { return preferences.value(remoteDesktopTokenKey).toString(); },
                [&preferences](const QString& token) {
                    preferences.setValue(remoteDesktopTokenKey, token);
                }});
        else
            chosen.keystrokes = std::make_unique<UnavailableKeystrokeSender>();
    } else {
        chosen.hotKeys = std::make_unique<X11HotKeyService>();
        chosen.keystrokes = std::make_unique<X11KeystrokeSender>();
    }
    chosen.desktop = std::make_unique<DetectedDesktopSession>(kind, features, findKeyringManager());
    return chosen;
}

Options parseOptions(const QApplication& app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("Main", "One-time password codes (TOTP and HOTP) for your accounts."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption hidden(
        {QStringLiteral("hidden"), QStringLiteral("background")},
        QCoreApplication::translate(
            "Main", "Start without opening the main window (hotkeys and the tray icon still work)."));
    parser.addOption(hidden);
    const QCommandLineOption settings(
        QStringLiteral("settings"),
        QCoreApplication::translate("Main",
                                    "Open the settings window (in the running Brisvane when there is one)."));
    parser.addOption(settings);
    parser.addPositionalArgument(
        QStringLiteral("link"),
        QStringLiteral("An otpauth:// setup link to add (the add dialog opens with it)."),
        QStringLiteral("[link]"));
    parser.process(app);
    QString link;
    for (const QString& argument : parser.positionalArguments()) {
        if (argument.startsWith(QStringLiteral("otpauth"), Qt::CaseInsensitive))
            link = argument;
    }
    return Options{parser.isSet(hidden), parser.isSet(settings), link};
}

} // namespace

int main(int argc, char* argv[])
{
    const DisplaySession session = DisplaySession::fromEnvironment();
    if (!session.canShowWindows()) {
        std::fputs(
            "Brisvane needs a display: no X11 or Wayland session was found (DISPLAY and WAYLAND_DISPLAY are "
            "unset).\nStart it from a terminal inside your desktop session.\n",
            stderr);
        return 1;
    }
    if (const QString platform = session.preferredPlatform(); !platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform.toUtf8());
    installDisplayFailureMessage();

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("brisvane"));
    QApplication::setApplicationName(QStringLiteral("brisvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Brisvane"));
    QApplication::setApplicationVersion(QStringLiteral(BRISVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.brisvane.Brisvane"));
    QApplication::setWindowIcon(appIcon(AppIcon::application));
    installTranslations(app, QLocale(), translationFolders());
    const Options options = parseOptions(app);

    QString instanceProblem;
    const QString serverName = SingleInstance::defaultServerName(&instanceProblem);
    if (serverName.isEmpty()) {
        std::fprintf(stderr, "Brisvane cannot start: %s, so another user could pose as a running Brisvane.\n",
                     qPrintable(instanceProblem));
        return 1;
    }
    SingleInstance instance(serverName);
    switch (instance.claim(instanceRequest(options), options.link)) {
    case SingleInstance::Role::refused:
        std::fprintf(stderr, "Brisvane cannot start: %s. Remove it or ask its owner to.\n",
                     qPrintable(instance.problem()));
        return 1;
    case SingleInstance::Role::secondary:
        return 0;
    case SingleInstance::Role::unanswered:
        std::fputs("Brisvane is already running but does not answer. Close it (or end the process) and start "
                   "again.\n",
                   stderr);
        return 1;
    case SingleInstance::Role::alone:
        std::fputs(
            "Brisvane: could not set up the single-instance socket; a second launch will not find this "
            "one.\n",
            stderr);
        break;
    case SingleInstance::Role::primary:
        break;
    }

    SecretServiceItemStore secureItems;
    QSettings preferences(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("brisvane"),
                          QStringLiteral("brisvane"));
    // On Wayland only data-control sets the clipboard while another app has the focus.
    std::unique_ptr<Clipboard> clipboard = session.hasWayland ? DataControlClipboard::connect() : nullptr;
    if (!clipboard)
        clipboard = std::make_unique<QtClipboard>();
    Backends backends = chooseBackends(session, preferences);
    const DesktopSession& desktop = *backends.desktop;
    CanberraSoundPlayer sounds;
    // On Wayland only the Screenshot portal sees other apps' windows.
    std::unique_ptr<ScreenCapture> screens;
    if (session.hasWayland)
        screens = std::make_unique<PortalScreenCapture>();
    else
        screens = std::make_unique<QtScreenCapture>();
    ZXingQRDetector detector;
    ZXingQREncoder qrEncoder;
    QtImageFileReader imageFiles;
    QRImporter importer(*screens, detector, imageFiles);
    TimedatedClockSync clockSync(QDBusConnection::systemBus());
    // Launch at login starts the program in the tray, without the main window.
    XdgAutostartEntry autostart(XdgAutostartEntry::defaultConfigDir(),
                                QCoreApplication::applicationFilePath(), {QStringLiteral("--background")});

    auto makeAddSheet = [&importer](QWidget* parent,
                                    std::function<void(const QList<Account>&)> onAdd) -> QDialog* {
        return new AddAccountDialog(importer, std::move(onAdd), parent);
    };
    ApplicationShell shell({secureItems, preferences, *clipboard, *backends.hotKeys, *backends.keystrokes,
                            sounds, autostart, desktop.keyringManager(), &clockSync, desktop.hotKeysNotice()},
                           makeAddSheet);
    shell.setSessionNotice(desktop.limitsNotice());
    shell.setQREncoder(&qrEncoder);
    if (!desktop.limitsNotice().isEmpty())
        std::fprintf(stderr, "Brisvane: %s\n", qPrintable(desktop.limitsNotice()));
    // Paste sessions that may ask the user start only when there is something to paste for,
    // or when a restore token means nobody is asked.
    const QList<HotKeyBinding>& bindings = shell.settings().bindings();
    if (!preferences.value(remoteDesktopTokenKey).toString().isEmpty() ||
        std::any_of(bindings.cbegin(), bindings.cend(),
                    [](const HotKeyBinding& binding) { return binding.enabled && binding.autoPaste; }))
        backends.keystrokes->requestPermission();

    QObject::connect(&instance, &SingleInstance::activationRequested, &shell,
                     &ApplicationShell::showMainWindow);

    // Every way of ending the program keeps unsaved accounts in mind (see mayQuit).
    QApplication::setQuitOnLastWindowClosed(false);
    TerminationSignal termination;
    QObject::connect(&termination, &TerminationSignal::received, &shell, [&shell] { shell.requestQuit(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &shell, [&shell](QSessionManager& manager) {
        const bool canAsk = manager.allowsInteraction();
        const bool mayEnd = shell.mayQuit(canAsk);
        if (canAsk)
            manager.release();
        if (!mayEnd)
            manager.cancel();
    });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &shell, &ApplicationShell::saveBeforeExit);

    QObject::connect(&instance, &SingleInstance::settingsRequested, &shell, &ApplicationShell::showSettings);
    // A link opened from elsewhere lands in the add dialog; it is never added silently.
    auto openLink = [&shell](const QString& link) {
        shell.showMainWindow();
        shell.mainWindow().showAddSheetWithLink(link);
    };
    QObject::connect(&instance, &SingleInstance::linkReceived, &shell, openLink);
    if ((!options.hidden && !options.settings) || !options.link.isEmpty())
        shell.showMainWindow();
    if (!options.link.isEmpty())
        QTimer::singleShot(0, &shell, [&] { openLink(options.link); });
    // The tray comes after the main window has been shown, so it never holds the window up.
    QTimer::singleShot(0, &shell, [&] {
        shell.startTray(options.hidden);
        if (options.settings)
            shell.showSettings();
    });
    return QApplication::exec();
}
