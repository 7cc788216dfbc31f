// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/hash_algorithm.h"
#include "core/instant.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

// Shown instead of a code when an account cannot produce one (digits outside 1..9,
// period below 1, an instant before 1970). It holds no digit, so it can never be mistaken
// for a code; callers that copy a code check isCode first.
QString unusableCodeText();

// RFC 4226 HOTP: HMAC of the 8-byte big-endian moving factor, dynamic truncation,
// zero-padded decimal text of exactly `digits` characters. Out-of-range digits give
// unusableCodeText.
QString generateCode(const QByteArray& secret, std::uint64_t movingFactor, std::int64_t digits,
                     HashAlgorithm algorithm);

// RFC 6238 moving factor floor(t / period); absent for a period below 1, an instant before
// 1970 or a result that does not fit 64 bits.
std::optional<std::uint64_t> totpMovingFactor(Instant at, std::int64_t period);

// True for a real code: non-empty and decimal digits only.
bool isCode(const QString& text);
