// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Decodes RFC 4648 Base32 leniently: any letter case, spaces, "-" and "=" anywhere,
// surrounding white space. Absent when the text is not acceptable; a present result
// may be empty (a single character carries fewer than 8 bits).
std::optional<QByteArray> decodeBase32(const QString& text);

// RFC 4648 Base32 in upper case without "=" padding, as setup links and backups carry it.
QString encodeBase32(const QByteArray& bytes);
