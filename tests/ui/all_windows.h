// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Every window of the program, opened over fakes with a time-based and a counter-based account
// and one hotkey binding, for tests that look at all of them at once. The export windows show a
// code for each account and name one account that format cannot carry.

#include "import/formats/migration_export.h"
#include "platform/zxing/zxing_qr_encoder.h"
#include "support/fake_clipboard.h"
#include "support/fake_keystroke_sender.h"
#include "support/fake_login_item.h"
#include "support/qr_import_fakes.h"
#include "support/store_and_settings.h"
#include "ui/about/about_window.h"
#include "ui/add_account/add_account_dialog.h"
#include "ui/export/export_format_dialog.h"
#include "ui/export/migration_codes_window.h"
#include "ui/main_window/account_qr_dialog.h"
#include "ui/main_window/edit_account_dialog.h"
#include "ui/main_window/main_window.h"
#include "ui/settings/settings_window.h"
#include "ui/tray/tray_window.h"
#include "ui/widgets/ticking_clock.h"
#include "ui_test_support.h"

#include <QCoreApplication>
#include <QTabWidget>
#include <memory>

struct AllWindows : StoreAndSettings, QRImportFakes
{
    AllWindows()
    {
        Account hotp = testAccount(QStringLiteral("Example Bank"), QStringLiteral("bob"), 6, OTPType::hotp);
        store.addAccounts({testAccount(QStringLiteral("Acme"), QStringLiteral("alice@example.com")), hotp});
        settings.setBindings({HotKeyBinding{QUuid::createUuid(), hotp.id, 40, 0x0100, true, false}});
        main = std::make_unique<MainWindow>(store, clock, clipboard, MainWindow::AddSheetFactory{});
        settingsWindow = std::make_unique<SettingsWindow>(store, settings, loginItem, keystrokes,
                                                          QStringLiteral("seahorse"));
        tray = std::make_unique<TrayWindow>(store, clock, settings, clipboard);
        addDialog = std::make_unique<AddAccountDialog>(importer, [](const QList<Account>&) {});
        about = std::make_unique<AboutWindow>(QStringLiteral("/home/someone/.config/brisvane/brisvane.conf"));
        exportFormat = std::make_unique<ExportFormatDialog>();
        const MigrationExport exported = migrationLinks(store.accounts(), 1);
        codes = std::make_unique<MigrationCodesWindow>(
            exported.links,
            QList<SkippedEntry>{{QStringLiteral("Steam (alice)"), QStringLiteral("not supported")}}, encoder,
            [](QWidget*) { return QString(); });
        qrCode = std::make_unique<AccountQRDialog>(hotp, encoder, clipboard);
        edit = std::make_unique<EditAccountDialog>(hotp.issuer, hotp.name);
        for (QWidget* window : windows())
            window->show();
        QCoreApplication::processEvents();
    }
    QList<QWidget*> windows() const
    {
        return {main.get(),         settingsWindow.get(), tray.get(),   addDialog.get(), about.get(),
                exportFormat.get(), codes.get(),          qrCode.get(), edit.get()};
    }

    TickingClock clock{nullptr, [] { return instantFromSeconds(59); }};
    FakeClipboard clipboard;
    FakeLoginItem loginItem;
    FakeKeystrokeSender keystrokes;
    ZXingQREncoder encoder;
    std::unique_ptr<MainWindow> main;
    std::unique_ptr<SettingsWindow> settingsWindow;
    std::unique_ptr<TrayWindow> tray;
    std::unique_ptr<AddAccountDialog> addDialog;
    std::unique_ptr<AboutWindow> about;
    std::unique_ptr<ExportFormatDialog> exportFormat;
    std::unique_ptr<MigrationCodesWindow> codes;
    std::unique_ptr<AccountQRDialog> qrCode;
    std::unique_ptr<EditAccountDialog> edit;
};
