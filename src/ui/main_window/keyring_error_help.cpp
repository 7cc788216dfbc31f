// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window/keyring_error_help.h"

#include <QCoreApplication>
#include <array>

namespace {

// Kept word for word equal to the README's table; a test compares the two. Shown in the user's
// language.
struct Entry
{
    int code;
    const char* meaning;
    const char* remedy;
};

constexpr std::array<Entry, 4> entries{{
    {-25291,
     QT_TRANSLATE_NOOP("KeyringErrorHelp",
                       "No Secret Service provider answers, or there is no session bus at all."),
     QT_TRANSLATE_NOOP(
         "KeyringErrorHelp",
         "Install and start a keyring: `sudo apt install gnome-keyring` (or use KWallet with its "
         "Secret Service enabled) and log out and in again. Started from a bare terminal or over SSH, "
         "make sure `DBUS_SESSION_BUS_ADDRESS` is set (`dbus-run-session -- brisvane`).")},
    {-25300, QT_TRANSLATE_NOOP("KeyringErrorHelp", "The item was not found."),
     QT_TRANSLATE_NOOP("KeyringErrorHelp", "Usually harmless (an account deleted elsewhere). If it persists, "
                                           "restart Brisvane so it reloads the list.")},
    {-25308,
     QT_TRANSLATE_NOOP("KeyringErrorHelp", "The keyring collection is locked and could not be unlocked."),
     QT_TRANSLATE_NOOP(
         "KeyringErrorHelp",
         "Unlock your login keyring (for example in Passwords and Keys / seahorse, or by logging in "
         "with a password rather than automatic login), then try again.")},
    {-26276, QT_TRANSLATE_NOOP("KeyringErrorHelp", "Any other keyring failure."),
     QT_TRANSLATE_NOOP("KeyringErrorHelp",
                       "Restart the keyring daemon (log out and in, or `gnome-keyring-daemon --replace "
                       "--components=secrets`) and try again; Brisvane reconnects by itself.")},
}};

} // namespace

std::optional<KeyringErrorHelp> keyringErrorHelp(const QString& footerMessage)
{
    // The footer shows the message in the user's language.
    const QString prefix = QCoreApplication::translate("KeychainError", "Keychain error: ");
    if (!footerMessage.startsWith(prefix))
        return std::nullopt;
    bool ok = false;
    const int code = QStringView(footerMessage).sliced(prefix.size()).toInt(&ok);
    if (!ok)
        return std::nullopt;
    for (const Entry& entry : entries) {
        if (entry.code == code)
            return KeyringErrorHelp{code, QCoreApplication::translate("KeyringErrorHelp", entry.meaning),
                                    QCoreApplication::translate("KeyringErrorHelp", entry.remedy)};
    }
    return std::nullopt;
}
