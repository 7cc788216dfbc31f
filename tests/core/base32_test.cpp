#include "core/base32.h"
#include "qstring_printer.h"

#include <gtest/gtest.h>

namespace {

std::optional<QByteArray> decode(const char16_t* text)
{
    return decodeBase32(QString::fromUtf16(text));
}

QByteArray bytes(const char* text)
{
    return QByteArray(text);
}

struct Rfc4648Vector
{
    const char16_t* padded;
    const char16_t* unpadded;
    const char* plain;
};

class Base32Rfc4648 : public ::testing::TestWithParam<Rfc4648Vector>
{
};

TEST_P(Base32Rfc4648, DecodesWithAndWithoutPadding)
{
    const Rfc4648Vector& v = GetParam();
    EXPECT_EQ(decode(v.padded), bytes(v.plain));
    EXPECT_EQ(decode(v.unpadded), bytes(v.plain));
}

INSTANTIATE_TEST_SUITE_P(Section10, Base32Rfc4648,
                         ::testing::Values(Rfc4648Vector{u"MY======", u"MY", "f"},
                                           Rfc4648Vector{u"MZXQ====", u"MZXQ", "fo"},
                                           Rfc4648Vector{u"MZXW6===", u"MZXW6", "foo"},
                                           Rfc4648Vector{u"MZXW6YQ=", u"MZXW6YQ", "foob"},
                                           Rfc4648Vector{u"MZXW6YTB", u"MZXW6YTB", "fooba"},
                                           Rfc4648Vector{u"MZXW6YTBOI======", u"MZXW6YTBOI", "foobar"}),
                         [](const auto& test) { return std::string(test.param.plain); });

TEST(Base32Leniency, LowerAndMixedCaseDecodeLikeUpperCase)
{
    EXPECT_EQ(decode(u"mzxw6ytboi"), bytes("foobar"));
    EXPECT_EQ(decode(u"MzXw6YtBoI"), bytes("foobar"));
}

TEST(Base32Leniency, GroupingSpacesAndHyphensAnywhereAreIgnored)
{
    const auto plain = decode(u"JBSWY3DPEHPK3PXP");
    ASSERT_TRUE(plain);
    EXPECT_EQ(decode(u"JBSW Y3DP EHPK 3PXP"), plain);
    EXPECT_EQ(decode(u"jbsw-y3dp-ehpk-3pxp"), plain);
    EXPECT_EQ(decode(u"  J-B S--W Y3DPEHPK3PXP  "), plain);
}

TEST(Base32Leniency, EqualsSignsAreDroppedEvenInsideTheText)
{
    EXPECT_EQ(decode(u"MZ=XW6=YTB=OI"), bytes("foobar"));
    EXPECT_EQ(decode(u"=MZXW6YTBOI"), bytes("foobar"));
}

TEST(Base32Leniency, SurroundingWhiteSpaceAndLineBreaksAreTrimmed)
{
    EXPECT_EQ(decode(u"\nMZXW6YTBOI\n"), bytes("foobar"));
    EXPECT_EQ(decode(u"\tMZXW6YTBOI\r\n"), bytes("foobar"));
    // Non-breaking space and the paragraph separator belong to the Unicode white-space set.
    EXPECT_EQ(decode(u"\u00a0MZXW6YTBOI\u2029"), bytes("foobar"));
    // Trimming happens after padding is dropped, so white space outside the padding goes too.
    EXPECT_EQ(decode(u"\tMZXW6YQ=\n"), bytes("foob"));
}

TEST(Base32Leniency, UpperCasingUsesFullUnicodeMapping)
{
    // Sharp s becomes two letters, the ligature ff becomes "FF", long s and dotless i become S and I.
    EXPECT_EQ(decode(u"\u00df"), decode(u"SS"));
    EXPECT_EQ(decode(u"\u00df"), QByteArray(1, static_cast<char>(0x94)));
    EXPECT_EQ(decode(u"\ufb00"), decode(u"FF"));
    EXPECT_EQ(decode(u"\u017f\u0131"), decode(u"SI"));
    EXPECT_EQ(decode(u"mzxw6ytbo\u0131"), bytes("foobar"));
}

TEST(Base32Strictness, WhiteSpaceInsideTheTextIsRejected)
{
    EXPECT_FALSE(decode(u"MZXW\n6YTBOI"));
    EXPECT_FALSE(decode(u"MZXW\t6YTBOI"));
    EXPECT_FALSE(decode(u"MZXW\u00a06YTBOI"));
}

TEST(Base32Strictness, DigitsOutsideTheAlphabetAreRejected)
{
    for (const char16_t* text : {u"MZXW0", u"MZXW1", u"MZXW8", u"MZXW9", u"0", u"1", u"8", u"9"})
        EXPECT_FALSE(decode(text)) << QString::fromUtf16(text).toStdString();
}

TEST(Base32Strictness, PunctuationAndForeignCharactersAreRejected)
{
    for (const char16_t* text : {u"MZXW6+", u"MZ/XW", u"MZXW6_", u"MZXW6.", u"\u00e9", u"MZ\u212aW",
                                 u"\U0001F511", u"\u00c9"})
        EXPECT_FALSE(decode(text)) << QString::fromUtf16(text).toStdString();
    EXPECT_FALSE(decodeBase32(QStringLiteral("MZXW6") + QChar(u'\0')));
    // A multi-letter upper case that brings a combining mark is not Base32 either.
    EXPECT_FALSE(decode(u"\u01f0"));
}

TEST(Base32Strictness, NothingButSeparatorsOrPaddingIsAbsent)
{
    EXPECT_FALSE(decode(u""));
    EXPECT_FALSE(decode(u"    "));
    EXPECT_FALSE(decode(u"---"));
    EXPECT_FALSE(decode(u"========"));
    EXPECT_FALSE(decode(u" -= \n\t "));
}

TEST(Base32Length, ShortInputsYieldFloorOfFiveEighthsBytes)
{
    // One character carries 5 bits: present but empty.
    const auto one = decode(u"A");
    ASSERT_TRUE(one);
    EXPECT_TRUE(one->isEmpty());
    EXPECT_EQ(decode(u"ME"), bytes("a"));

    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ234567ABCDEFGH");
    for (qsizetype n = 1; n <= alphabet.size(); ++n) {
        const auto decoded = decodeBase32(alphabet.left(n));
        ASSERT_TRUE(decoded) << n;
        EXPECT_EQ(decoded->size(), 5 * n / 8) << n;
    }
}

TEST(Base32Length, NonZeroLeftoverBitsAreIgnored)
{
    // "MZ" ends in two spare bits; "M3" sets them.
    EXPECT_EQ(decode(u"MZ"), bytes("f"));
    EXPECT_EQ(decode(u"M3"), bytes("f"));
    EXPECT_EQ(decode(u"MZXW6YTBOL"), bytes("foobar"));
}

TEST(Base32Length, LongSecretsDecodeCompletely)
{
    // The accumulator is narrow; every byte must still come from the right five-bit groups.
    QString text;
    QByteArray expected;
    for (int i = 0; i < 200; ++i) {
        text += QStringLiteral("MZXW6YTB");
        expected += "fooba";
    }
    EXPECT_EQ(decodeBase32(text), expected);
    EXPECT_EQ(decode(u"77777777"), QByteArray(5, static_cast<char>(0xff)));
    EXPECT_EQ(decode(u"AAAAAAAA"), QByteArray(5, '\0'));
}

} // namespace
