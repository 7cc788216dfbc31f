// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/hash_algorithm.h"
#include "core/instant.h"
#include "core/otp_type.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QUuid>
#include <cstdint>

// One one-time-password credential. A plain value: copies are independent and
// nothing refers to an account except by its id.
struct Account
{
    QUuid id;
    QString name;
    QString issuer;
    QByteArray secret; // raw key bytes
    OTPType type = OTPType::totp;
    HashAlgorithm algorithm = HashAlgorithm::sha1;
    std::int64_t digits = 6;
    std::int64_t period = 30;  // seconds; stored for HOTP accounts too
    std::uint64_t counter = 0; // stored for TOTP accounts too
    Instant createdAt{};

    // The code for an instant: digits only, zero-padded. For an account whose digits or
    // period are unusable, or an instant before 1970, this is unusableCodeText (see otp_code.h).
    QString code(Instant at) const;

    bool operator==(const Account&) const = default;
};

// "issuer: name", or just the name when the issuer is empty.
QString accountLabel(const Account& account);
// The label for display: issuer and name each isolated (isolatedText), so a direction
// override in one cannot reorder the other or the text around them.
QString displayLabel(const Account& account);
// The accounts' ids, in their order.
QList<QUuid> idsOf(const QList<Account>& accounts);

// The text as one bidirectional isolate (U+2068 ... U+2069); empty text stays empty.
QString isolatedText(const QString& text);
// The text without C0 and C1 control characters (and DEL), which break a row over several
// lines or cut a keyring label at a NUL.
QString withoutControlCharacters(const QString& text);

// Whether adding `candidate` beside `existing` would store the same credential twice: equal
// secret, name and issuer (the id and code settings do not count).
bool isDuplicateOf(const Account& candidate, const Account& existing);
