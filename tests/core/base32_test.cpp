// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base32.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

struct Base32Case
{
    const char16_t* text;
    std::optional<QByteArray> expected;
};

const Base32Case cases[] = {
    // RFC 4648 section 10, padded and not.
    {u"MY======", "f"},
    {u"MZXQ====", "fo"},
    {u"MZXW6===", "foo"},
    {u"MZXW6YQ=", "foob"},
    {u"MZXW6YTB", "fooba"},
    {u"MZXW6YTBOI======", "foobar"},
    {u"MY", "f"},
    {u"MZXW6YQ", "foob"},
    {u"MZXW6YTBOI", "foobar"},
    {u"MzXw6YtBoI", "foobar"},
    {u"MZXW 6YTB-OI", "foobar"},
    {u"  M-Z X--W6YTBOI  ", "foobar"},
    {u"=MZ=XW6=YTB=OI", "foobar"},
    {u"\tMZXW6YQ=\r\n", "foob"},
    {u"\u00a0MZXW6YTBOI\u2029", "foobar"},
    // Full Unicode upper-casing: sharp s is "SS", the ligature ff is "FF", dotless i is I.
    {u"\u00df", QByteArray(1, static_cast<char>(0x94))},
    {u"\ufb00\u017f\u0131", ")d"}, // "FFSI"
    {u"mzxw6ytbo\u0131", "foobar"},
    // One character carries only 5 bits; spare bits at the end are ignored.
    {u"A", QByteArray()},
    {u"ME", "a"},
    {u"M3", "f"},
    {u"MZXW6YTBOL", "foobar"},
    {u"77777777", QByteArray(5, static_cast<char>(0xff))},
    {u"MZXW\n6YTBOI", std::nullopt},
    {u"MZXW\u00a06YTBOI", std::nullopt},
    {u"MZXW0", std::nullopt},
    {u"1", std::nullopt},
    {u"8", std::nullopt},
    {u"MZXW9", std::nullopt},
    {u"MZXW6+", std::nullopt},
    {u"MZ/XW", std::nullopt},
    {u"MZXW6_", std::nullopt},
    {u"MZXW6.", std::nullopt},
    {u"\u00e9", std::nullopt},
    {u"MZ\u212aW", std::nullopt},
    {u"\U0001F511", std::nullopt},
    // Upper-cases to J plus a combining caron.
    {u"\u01f0", std::nullopt},
    {u"", std::nullopt},
    {u"    ", std::nullopt},
    {u"---", std::nullopt},
    {u"========", std::nullopt},
    {u" -= \n\t ", std::nullopt},
};

TEST(Base32, DecodesStandardTextLenientlyAndRejectsTheRest)
{
    for (const Base32Case& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        EXPECT_EQ(decodeBase32(QString::fromUtf16(c.text)), c.expected);
    }
    EXPECT_FALSE(decodeBase32(QStringLiteral("MZXW6") + QChar(u'\0')));
}

TEST(Base32, LengthIsFloorOfFiveEighthsAndLongTextDecodesCompletely)
{
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ234567ABCDEFGH");
    for (qsizetype n = 1; n <= alphabet.size(); ++n)
        EXPECT_EQ(decodeBase32(alphabet.left(n)).value_or("?").size(), 5 * n / 8) << n;
    EXPECT_EQ(decodeBase32(QStringLiteral("MZXW6YTB").repeated(200)), QByteArray("fooba").repeated(200));
}

} // namespace
