// SPDX-License-Identifier: GPL-3.0-or-later
// The hotkey part of the program with every real backend: keyring, settings file, X11 grabs,
// clipboard, XTest, sound and the copy panel. Prints "ready" once the bindings hold their
// hotkeys and runs until its standard input closes.
#include "hotkeys/hot_key_controller.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/secret_service/secret_service_item_store.h"
#include "platform/sound/canberra_sound_player.h"
#include "platform/x11/x11_hot_key_service.h"
#include "platform/x11/x11_keystroke_sender.h"
#include "settings/app_settings.h"
#include "storage/account_store.h"
#include "ui/widgets/copy_hud.h"

#include <QApplication>
#include <QSettings>
#include <QSocketNotifier>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    SecretServiceItemStore items;
    AccountStore store(items);
    QSettings settingsFile(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("brisvane"),
                           QStringLiteral("brisvane"));
    AppSettings settings(settingsFile);
    X11HotKeyService hotKeys;
    QtClipboard clipboard;
    X11KeystrokeSender keystrokes;
    CanberraSoundPlayer sounds;
    CopyHUD panel;
    HotKeyController controller(store, settings, hotKeys, clipboard, keystrokes, sounds, panel);

    QTimer readiness;
    QObject::connect(&readiness, &QTimer::timeout, [&] {
        if (controller.registeredBindingIDs().isEmpty())
            return;
        readiness.stop();
        std::printf("ready %lld accounts\n", static_cast<long long>(store.accounts().size()));
        std::fflush(stdout);
    });
    // After the debounced start-up synchronisation, so the test never races it.
    QTimer::singleShot(HotKeyController::debounceMilliseconds + 30, [&] { readiness.start(10); });

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[64];
        if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            app.quit();
    });
    return app.exec();
}
