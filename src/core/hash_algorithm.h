// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <optional>

// The hash function under the HMAC.
enum class HashAlgorithm
{
    sha1,
    sha256,
    sha512
};

inline constexpr std::array<HashAlgorithm, 3> allHashAlgorithms{HashAlgorithm::sha1, HashAlgorithm::sha256,
                                                                HashAlgorithm::sha512};

// The stored text of each case: "SHA1", "SHA256", "SHA512".
QString rawValue(HashAlgorithm algorithm);
// Exact, case-sensitive match of a stored text; anything else has no case.
std::optional<HashAlgorithm> hashAlgorithmFromRawValue(QStringView text);
