// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

// The key derivations and the authenticated cipher that encrypted backups use, all through
// OpenSSL's EVP interfaces. Every function fails softly (an absent result) so that a hostile
// file can at worst be refused.
namespace BackupCrypto {

struct ScryptCost
{
    std::uint64_t n = 32768;
    std::uint64_t r = 8;
    std::uint64_t p = 1;
};

// AES-256-GCM output: the ciphertext and its 16-byte tag, kept apart as most formats store them.
struct Sealed
{
    QByteArray ciphertext;
    QByteArray tag;
};

QByteArray randomBytes(int count);
QByteArray sha256(const QByteArray& data);

// Refuses costs that would need more than a few hundred megabytes of memory.
std::optional<QByteArray> scrypt(const QByteArray& password, const QByteArray& salt, const ScryptCost& cost,
                                 int keyLength);

enum class PbkdfHash
{
    sha1,
    sha256
};
std::optional<QByteArray> pbkdf2(const QByteArray& password, const QByteArray& salt, int iterations,
                                 PbkdfHash hash, int keyLength);

// A 32-byte key and a 12-byte nonce.
std::optional<Sealed> sealAesGcm(const QByteArray& key, const QByteArray& nonce, const QByteArray& plaintext);
// Absent when the tag does not match: a wrong key or altered data.
std::optional<QByteArray> openAesGcm(const QByteArray& key, const QByteArray& nonce,
                                     const QByteArray& ciphertext, const QByteArray& tag);

} // namespace BackupCrypto
