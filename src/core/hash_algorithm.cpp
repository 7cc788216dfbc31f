// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/hash_algorithm.h"

QString rawValue(HashAlgorithm algorithm)
{
    switch (algorithm) {
    case HashAlgorithm::sha256:
        return QStringLiteral("SHA256");
    case HashAlgorithm::sha512:
        return QStringLiteral("SHA512");
    case HashAlgorithm::sha1:
        break;
    }
    return QStringLiteral("SHA1");
}

std::optional<HashAlgorithm> hashAlgorithmFromRawValue(QStringView text)
{
    for (HashAlgorithm algorithm : allHashAlgorithms) {
        if (text == rawValue(algorithm))
            return algorithm;
    }
    return std::nullopt;
}
