// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

// A point in time as fractional seconds since 1970-01-01T00:00:00Z.
using Instant = std::chrono::time_point<std::chrono::system_clock, std::chrono::duration<double>>;

inline Instant instantFromSeconds(double secondsSinceEpoch)
{
    return Instant(std::chrono::duration<double>(secondsSinceEpoch));
}

inline double secondsSinceEpoch(Instant instant)
{
    return instant.time_since_epoch().count();
}

inline Instant currentInstant()
{
    return std::chrono::time_point_cast<std::chrono::duration<double>>(std::chrono::system_clock::now());
}
