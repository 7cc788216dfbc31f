// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

namespace OTPAuth {

// One "name=value" piece of a query, both percent-decoded. A piece without "=" has no value,
// which is not the same as an empty one.
struct QueryItem
{
    QString name;
    std::optional<QString> value;

    bool operator==(const QueryItem&) const = default;
};

} // namespace OTPAuth
