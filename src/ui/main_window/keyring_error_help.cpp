#include "ui/main_window/keyring_error_help.h"

#include <QCoreApplication>
#include <array>

namespace {

// Kept word for word equal to the README's table; a test compares the two.
struct Entry
{
    int code;
    const char16_t* meaning;
    const char16_t* remedy;
};

constexpr std::array<Entry, 4> entries{{
    {-25291, u"No Secret Service provider answers, or there is no session bus at all.",
     u"Install and start a keyring: `sudo apt install gnome-keyring` (or use KWallet with its Secret Service "
     u"enabled) and log out and in again. Started from a bare terminal or over SSH, make sure "
     u"`DBUS_SESSION_BUS_ADDRESS` is set (`dbus-run-session -- brisvane`)."},
    {-25300, u"The item was not found.",
     u"Usually harmless (an account deleted elsewhere). If it persists, restart Brisvane so it reloads the "
     u"list."},
    {-25308, u"The keyring collection is locked and could not be unlocked.",
     u"Unlock your login keyring (for example in Passwords and Keys / seahorse, or by logging in with a "
     u"password rather than automatic login), then try again."},
    {-26276, u"Any other keyring failure.",
     u"Restart the keyring daemon (log out and in, or `gnome-keyring-daemon --replace --components=secrets`) "
     u"and try again; Brisvane reconnects by itself."},
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
            return KeyringErrorHelp{code, QString::fromUtf16(entry.meaning),
                                    QString::fromUtf16(entry.remedy)};
    }
    return std::nullopt;
}
