// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/rfc3339.h"
#include "support/qt_printers.h"

#include <QDateTime>
#include <QTimeZone>
#include <gtest/gtest.h>
#include <random>

namespace {

// Qt's calendar is the independent reference for the date arithmetic.
TEST(Rfc3339, AgreesWithQtOverYearsOneToNineThousandNineHundredNinetyNine)
{
    constexpr std::int64_t first = -62135596800; // 0001-01-01T00:00:00Z
    constexpr std::int64_t last = 253402300799;  // 9999-12-31T23:59:59Z
    std::mt19937_64 random(3339);
    std::vector<std::int64_t> seconds{first,      last, 0, -1, 951782400 /* 2000-02-29 */,
                                      -2203891200 /* 1900-03-01 */};
    for (int i = 0; i < 20000; ++i)
        seconds.push_back(first +
                          static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(last - first + 1)));
    for (std::int64_t s : seconds) {
        const QString expected =
            QDateTime::fromSecsSinceEpoch(s, QTimeZone::utc()).toString(u"yyyy-MM-dd'T'HH:mm:ss'Z'");
        ASSERT_EQ(formatRFC3339(instantFromSeconds(static_cast<double>(s))), expected) << s;
        ASSERT_EQ(parseRFC3339(expected.toStdString()), instantFromSeconds(static_cast<double>(s))) << s;
    }
    // Fractions go towards the past, also before 1970.
    EXPECT_EQ(formatRFC3339(instantFromSeconds(-0.25)), QStringLiteral("1969-12-31T23:59:59Z"));
}

} // namespace
