// SPDX-License-Identifier: GPL-3.0-or-later
// The only place where real platform backends are chosen and wired.

#include "import/qr_importer.h"
#include "platform/dbus/timedated_clock_sync.h"
#include "platform/portal/portal_screen_capture.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_image_file_reader.h"
#include "platform/qt/qt_screen_capture.h"
#include "platform/secret_service/secret_service_item_store.h"
#include "platform/session/display_session.h"
#include "platform/session/keyring_manager.h"
#include "platform/session/termination_signal.h"
#include "platform/sound/canberra_sound_player.h"
#include "platform/wayland/data_control_clipboard.h"
#include "platform/x11/x11_hot_key_service.h"
#include "platform/x11/x11_keystroke_sender.h"
#include "platform/xdg/xdg_autostart_entry.h"
#include "platform/zxing/zxing_qr_detector.h"
#include "platform/zxing/zxing_qr_encoder.h"
#include "ui/add_account/add_account_dialog.h"
#include "ui/shell/application_shell.h"
#include "ui/shell/single_instance.h"
#include "ui/shell/translations.h"
#include "ui/widgets/app_icons.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSessionManager>
#include <QSettings>
#include <QTimer>
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
    X11HotKeyService hotKeys;
    X11KeystrokeSender keystrokes;
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
    ApplicationShell shell({secureItems, preferences, *clipboard, hotKeys, keystrokes, sounds, autostart,
                            findKeyringManager(), &clockSync},
                           makeAddSheet);
    shell.setSessionNotice(session.limitsNotice());
    shell.setQREncoder(&qrEncoder);
    if (!session.limitsNotice().isEmpty())
        std::fprintf(stderr, "Brisvane: %s\n", qPrintable(session.limitsNotice()));

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
