// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// What a "Keychain error: N" in the main window's footer means and what the user can do,
// as the README's troubleshooting table says it.
struct KeyringErrorHelp
{
    int code = 0;
    QString meaning;
    QString remedy;
};

// The help for the error number at the end of a footer message; nothing for other messages.
std::optional<KeyringErrorHelp> keyringErrorHelp(const QString& footerMessage);
