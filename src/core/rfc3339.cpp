// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rfc3339.h"

#include <cmath>
#include <cstdint>

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil-date algorithm).
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

struct CivilDate
{
    std::int64_t year;
    unsigned month;
    unsigned day;
};

CivilDate civilFromDays(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned mp = (5 * dayOfYear + 2) / 153;
    const unsigned day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const unsigned month = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

bool isLeapYear(std::int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned daysInMonth(std::int64_t year, unsigned month)
{
    static constexpr unsigned lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : lengths[month - 1];
}

// Reads a fixed number of ASCII digits at `pos`.
std::optional<unsigned> digitsAt(std::string_view text, std::size_t pos, std::size_t count)
{
    unsigned value = 0;
    for (std::size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + static_cast<unsigned>(text[i] - '0');
    }
    return value;
}

} // namespace

std::optional<QString> formatRFC3339(Instant instant)
{
    const double seconds = std::floor(secondsSinceEpoch(instant));
    // Years 0001 to 9999 only: the four-digit year of the format cannot hold others.
    constexpr double first = -62135596800.0; // 0001-01-01T00:00:00Z
    constexpr double last = 253402300799.0;  // 9999-12-31T23:59:59Z
    if (!(seconds >= first && seconds <= last))
        return std::nullopt;
    const auto whole = static_cast<std::int64_t>(seconds);
    std::int64_t days = whole / 86400;
    std::int64_t secondOfDay = whole % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    const CivilDate date = civilFromDays(days);
    return QString::asprintf("%04lld-%02u-%02uT%02lld:%02lld:%02lldZ", static_cast<long long>(date.year),
                             date.month, date.day, static_cast<long long>(secondOfDay / 3600),
                             static_cast<long long>(secondOfDay / 60 % 60),
                             static_cast<long long>(secondOfDay % 60));
}

std::optional<Instant> parseRFC3339(std::string_view text)
{
    // YYYY-MM-DDTHH:MM:SSZ and nothing else: the stored form is always UTC.
    if (text.size() != 20)
        return std::nullopt;
    if (text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' || text[16] != ':' ||
        text[19] != 'Z')
        return std::nullopt;
    const auto year = digitsAt(text, 0, 4);
    const auto month = digitsAt(text, 5, 2);
    const auto day = digitsAt(text, 8, 2);
    const auto hour = digitsAt(text, 11, 2);
    const auto minute = digitsAt(text, 14, 2);
    const auto second = digitsAt(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    if (*year < 1 || *month < 1 || *month > 12 || *day < 1 || *day > daysInMonth(*year, *month) ||
        *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    const std::int64_t seconds = daysFromCivil(*year, *month, *day) * 86400 + std::int64_t{*hour} * 3600 +
                                 std::int64_t{*minute} * 60 + std::int64_t{*second};
    return instantFromSeconds(static_cast<double>(seconds));
}
