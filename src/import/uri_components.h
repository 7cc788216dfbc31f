// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/query_item.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace OTPAuth {

// The parts of an RFC 3986 URI reference that the link parsers look at. The fragment is
// dropped. Characters the RFC does not allow unescaped are taken literally, as if they had
// been percent-encoded: links typed by hand or printed under a QR code often hold a space or
// an accented letter in the label, and refusing those would only frustrate the user. What
// stays invalid is what has no sensible reading: control characters (line breaks and tabs
// included), a "%" without two hexadecimal digits after it, escapes that do not form UTF-8,
// a relative reference whose first segment holds ":", and a malformed authority.
struct UriComponents
{
    std::optional<QString> scheme;         // as written; absent in a relative reference
    std::optional<QString> host;           // percent-decoded; absent without "//"
    QString path;                          // percent-decoded
    std::optional<QList<QueryItem>> query; // absent without "?"

    bool operator==(const UriComponents&) const = default;

    // Absent when the text cannot be read as a URI reference (see above).
    static std::optional<UriComponents> parse(QStringView text);
};

} // namespace OTPAuth
