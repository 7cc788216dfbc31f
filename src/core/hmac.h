// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/hash_algorithm.h"

#include <QByteArray>
#include <array>
#include <cstddef>
#include <cstdint>
#include <openssl/types.h>

// A full MAC: 20, 32 or 64 bytes of `bytes` are used; none when OpenSSL failed (out of memory).
struct MacBytes
{
    std::array<unsigned char, 64> bytes{};
    std::size_t size = 0;
};

// RFC 2104 HMAC under one key, for many messages: the digest states after the inner and outer
// key blocks are computed once and copied per message, so a code costs the blocks of its own
// message only. One object per thread; it is not safe to use from two threads at once.
class KeyedHmac
{
public:
    // Any key length, including zero.
    KeyedHmac(HashAlgorithm algorithm, const QByteArray& key);
    ~KeyedHmac();
    KeyedHmac(const KeyedHmac&) = delete;
    KeyedHmac& operator=(const KeyedHmac&) = delete;

    // HMAC of the moving factor as 8 bytes, most significant first.
    MacBytes ofMovingFactor(std::uint64_t movingFactor);

private:
    EVP_MD_CTX* m_inner;
    EVP_MD_CTX* m_outer;
    EVP_MD_CTX* m_work;
    bool m_ready = false;
};

// The same, with the keyed states of the accounts used most recently kept per thread, so the
// codes of a list of accounts refreshed every second are not keyed again each time.
MacBytes hmacOfMovingFactor(HashAlgorithm algorithm, const QByteArray& key, std::uint64_t movingFactor);
