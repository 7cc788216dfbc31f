// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/otpauth_link.h"

#include "core/base32.h"

namespace {

// Letters, digits and "-._~" stay; a "%" is encoded twice because labels are decoded twice.
QString encode(const QString& text, bool inLabel)
{
    QString out;
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' || byte == '_' ||
                                byte == '~';
        if (unreserved)
            out.append(QLatin1Char(c));
        else if (byte == '%' && inLabel)
            out.append(QStringLiteral("%2525"));
        else
            out.append(QStringLiteral("%%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper());
    }
    return out;
}

// "issuer:name", except that an issuer holding a colon goes only in the issuer parameter (the
// label splits at the first colon), and a bare name with a colon gets an empty issuer part.
QString label(const Account& account)
{
    if (account.issuer.isEmpty())
        return account.name.contains(u':') ? QStringLiteral(":") + encode(account.name, true)
                                           : encode(account.name, true);
    const QString issuerPart = account.issuer.contains(u':') ? QString() : encode(account.issuer, true);
    return issuerPart + u':' + encode(account.name, true);
}

} // namespace

QString otpauthLink(const Account& account)
{
    const bool hotp = account.type == OTPType::hotp;
    QString link = QStringLiteral("otpauth://") + (hotp ? QStringLiteral("hotp/") : QStringLiteral("totp/")) +
                   label(account) + QStringLiteral("?secret=") + encodeBase32(account.secret);
    if (!account.issuer.isEmpty())
        link += QStringLiteral("&issuer=") + encode(account.issuer, false);
    link += QStringLiteral("&algorithm=") + rawValue(account.algorithm) +
            QStringLiteral("&digits=%1").arg(account.digits) +
            QStringLiteral("&period=%1").arg(account.period);
    if (hotp)
        link += QStringLiteral("&counter=%1").arg(account.counter);
    return link;
}

QString otpauthLinkList(const QList<Account>& accounts)
{
    QString text;
    for (const Account& account : accounts)
        text += otpauthLink(account) + u'\n';
    return text;
}
