// SPDX-License-Identifier: GPL-3.0-or-later
// brisvane-cli: the accounts of the Brisvane app from a terminal, over the same keyring items.

#include "cli/cli_app.h"
#include "platform/secret_service/secret_service_item_store.h"
#include "platform/zxing/zxing_qr_encoder.h"
#include "storage/account_store.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("brisvane-cli"));
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty() || arguments.first().startsWith(u'-')) {
        // Help needs no keyring.
        const bool asked =
            !arguments.isEmpty() && (arguments.first() == u"--help" || arguments.first() == u"-h");
        std::fputs(CliApp::usage().toUtf8().constData(), asked ? stdout : stderr);
        return asked ? 0 : 64;
    }
    SecretServiceItemStore items;
    AccountStore store(items);
    ZXingQREncoder qr;
    CliApp cli(store, qr, stdout, stderr);
    return cli.run(arguments);
}
