#include "core/rfc3339.h"
#include "qstring_printer.h"

#include <QDateTime>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr std::int64_t firstSecond = -62135596800; // 0001-01-01T00:00:00Z
constexpr std::int64_t lastSecond = 253402300799;  // 9999-12-31T23:59:59Z

// Qt's calendar is the independent reference for the date arithmetic.
QString qtText(std::int64_t seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc()).toString(u"yyyy-MM-dd'T'HH:mm:ss'Z'");
}

TEST(Rfc3339, AgreesWithQtAcrossTheWholeRange)
{
    std::mt19937_64 random(3339);
    std::vector<std::int64_t> seconds{firstSecond, lastSecond, 0, -1, 86399, 951782400 /* 2000-02-29 */,
                                      -2203891200 /* 1900-03-01 */, 1709251199};
    for (int i = 0; i < 20000; ++i)
        seconds.push_back(firstSecond + static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(lastSecond - firstSecond + 1)));
    for (std::int64_t s : seconds) {
        const std::optional<QString> text = formatRFC3339(instantFromSeconds(static_cast<double>(s)));
        ASSERT_TRUE(text) << s;
        ASSERT_EQ(*text, qtText(s)) << s;
        const std::optional<Instant> parsed = parseRFC3339(text->toStdString());
        ASSERT_TRUE(parsed) << text->toStdString();
        ASSERT_EQ(*parsed, instantFromSeconds(static_cast<double>(s))) << text->toStdString();
    }
}

TEST(Rfc3339, FractionsAreDroppedTowardsThePast)
{
    EXPECT_EQ(formatRFC3339(instantFromSeconds(1714555800.75)), QStringLiteral("2024-05-01T09:30:00Z"));
    EXPECT_EQ(formatRFC3339(instantFromSeconds(-0.25)), QStringLiteral("1969-12-31T23:59:59Z"));
}

TEST(Rfc3339, OnlyTheUtcZuluFormIsRead)
{
    for (const char* text : {"2024-05-01T09:30:00+00:00", "2024-05-01T11:30:00+02:00", "2024-05-01T04:30:00-05:00",
                             "2024-05-01T09:30:00z", "2024-05-01t09:30:00Z", "2024-05-01T09:30:00.5Z",
                             "2024-05-01T09:30Z", "0000-12-31T23:59:59Z", "10000-01-01T00:00:00Z",
                             "2024-04-31T00:00:00Z", "1900-02-29T00:00:00Z", "2024-05-01T09:30:60Z",
                             "2024-05-01T09:30:0xZ", "2024-05-01T09:30:00Z\n", "\u00a02024-05-01T09:30:00Z"})
        EXPECT_FALSE(parseRFC3339(text)) << text;
    EXPECT_TRUE(parseRFC3339("2000-02-29T00:00:00Z"));
}

TEST(Rfc3339, InstantsOutsideFourDigitYearsOrNotFiniteAreNotWritten)
{
    for (double s : {static_cast<double>(firstSecond) - 1, static_cast<double>(lastSecond) + 1, 1.0e300,
                     std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_FALSE(formatRFC3339(instantFromSeconds(s))) << s;
}

} // namespace
