// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/instant.h"

#include <QString>
#include <optional>
#include <string_view>

// Internet date-time text in UTC with whole seconds, "2024-05-01T09:30:00Z". The fraction
// of a second is dropped. Absent for an instant that is not finite or outside years 0001-9999.
std::optional<QString> formatRFC3339(Instant instant);

// Reads exactly that form: "T" between date and time, "Z" (no numeric offset), no fraction
// of a second, every field in range. Whatever it reads, formatRFC3339 can write back.
std::optional<Instant> parseRFC3339(std::string_view text);
