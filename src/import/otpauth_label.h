// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace OTPAuth {

// The issuer and account name that the label of a setup link carries.
struct OtpauthLabel
{
    QString issuer;
    QString name;

    bool operator==(const OtpauthLabel&) const = default;

    // From the link's already percent-decoded path. Some generators encode the label twice,
    // so it is decoded once more when that succeeds. "Issuer:name" is split at the first
    // colon and both sides trimmed; a label without a colon is the name, untouched.
    static OtpauthLabel fromDecodedPath(const QString& path);
};

} // namespace OTPAuth
