// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/hash_algorithm.h"

#include <QByteArray>
#include <array>
#include <cstddef>
#include <cstdint>

// A full MAC: 20, 32 or 64 bytes of `bytes` are used.
struct MacBytes
{
    std::array<unsigned char, 64> bytes{};
    std::size_t size = 0;
};

// RFC 2104 HMAC of the moving factor as 8 bytes, most significant first, keyed by `key`
// (any length, including zero). This is the only message code generation ever needs, so it
// is computed in exactly four block compressions.
MacBytes hmacOfMovingFactor(HashAlgorithm algorithm, const QByteArray& key, std::uint64_t movingFactor);
