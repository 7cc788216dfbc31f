// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// Status numbers of the secure item store. They keep the values the account data has always
// been reported with, so a message such as "Keychain error: -25308" means the same everywhere.
using SecureItemStatus = std::int32_t;

namespace SecureItemStatusCode {
inline constexpr SecureItemStatus success = 0;
// No item matches the query.
inline constexpr SecureItemStatus itemNotFound = -25300;
// No Secret Service provider answers, or there is no session bus at all.
inline constexpr SecureItemStatus notAvailable = -25291;
// The collection is locked and could not be unlocked (no prompt, or the user declined).
inline constexpr SecureItemStatus locked = -25308;
// Any other failure of the store.
inline constexpr SecureItemStatus failure = -26276;
} // namespace SecureItemStatusCode
