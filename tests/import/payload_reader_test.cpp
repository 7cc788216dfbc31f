#include "import/payload_reader.h"

#include "protobuf_bytes.h"

#include <gtest/gtest.h>

#include <limits>

using namespace OTPAuth;

namespace {

QByteArray bytes(std::initializer_list<unsigned char> values)
{
    QByteArray out;
    for (unsigned char value : values)
        out.append(char(value));
    return out;
}

constexpr std::uint64_t maximum = std::numeric_limits<std::uint64_t>::max();

} // namespace

TEST(PayloadReaderTest, VarintsRoundTripAcrossTheirWholeRange)
{
    for (const std::uint64_t value : {std::uint64_t(0), std::uint64_t(1), std::uint64_t(127), std::uint64_t(128),
                                      std::uint64_t(300), std::uint64_t(1) << 63, maximum}) {
        const QByteArray encoded = ProtobufBytes::varint(value);
        PayloadReader reader(encoded);
        EXPECT_EQ(reader.readVarint(), value);
        EXPECT_EQ(reader.position(), encoded.size());
        EXPECT_TRUE(reader.atEnd());
    }
    EXPECT_EQ(ProtobufBytes::varint(maximum).size(), 10);
}

TEST(PayloadReaderTest, VarintReadsLeastSignificantGroupFirst)
{
    PayloadReader reader(bytes({0xAC, 0x02, 0x05}));
    EXPECT_EQ(reader.readVarint(), 300u);
    EXPECT_EQ(reader.position(), 2);
    EXPECT_EQ(reader.readVarint(), 5u);
    EXPECT_FALSE(reader.readVarint().has_value());
    EXPECT_EQ(reader.position(), 3);
}

TEST(PayloadReaderTest, TenthByteKeepsOnlyTheBitThatFits)
{
    // Nine continuation bytes of zero, then 0x7F: only bit 63 survives.
    PayloadReader reader(bytes({0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x7F}));
    EXPECT_EQ(reader.readVarint(), std::uint64_t(1) << 63);
    EXPECT_EQ(reader.position(), 10);
}

TEST(PayloadReaderTest, OverlongButTerminatedVarintsAreAccepted)
{
    PayloadReader reader(bytes({0x81, 0x80, 0x80, 0x00}));
    EXPECT_EQ(reader.readVarint(), 1u);
    EXPECT_EQ(reader.position(), 4);
}

TEST(PayloadReaderTest, VarintFailsAfterTenContinuationBytes)
{
    PayloadReader reader(QByteArray(11, char(0xFF)) + bytes({0x01}));
    EXPECT_FALSE(reader.readVarint().has_value());
    EXPECT_EQ(reader.position(), 10);
    // The reader goes on from where it stopped.
    EXPECT_EQ(reader.readVarint(), 0x7Fu + (1u << 7));
}

TEST(PayloadReaderTest, VarintFailsAtTheEndAndConsumesWhatItRead)
{
    PayloadReader empty{QByteArray()};
    EXPECT_FALSE(empty.readVarint().has_value());
    EXPECT_EQ(empty.position(), 0);

    PayloadReader truncated(bytes({0x80, 0x80}));
    EXPECT_FALSE(truncated.readVarint().has_value());
    EXPECT_EQ(truncated.position(), 2);
}

TEST(PayloadReaderTest, LengthDelimitedReturnsExactlyItsBytes)
{
    PayloadReader reader(bytes({0x03, 'a', 0x00, 'c', 0x00, 0x01, 'z'}));
    EXPECT_EQ(reader.readLengthDelimited(), QByteArray("a\0c", 3));
    EXPECT_EQ(reader.position(), 4);
    EXPECT_EQ(reader.readLengthDelimited(), QByteArray());
    EXPECT_EQ(reader.readLengthDelimited(), QByteArray("z"));
    EXPECT_TRUE(reader.atEnd());
}

TEST(PayloadReaderTest, LengthRunningPastTheEndStopsAfterThePrefix)
{
    PayloadReader reader(bytes({0x05, 'a', 'b'}));
    EXPECT_FALSE(reader.readLengthDelimited().has_value());
    EXPECT_EQ(reader.position(), 1);
}

TEST(PayloadReaderTest, HugeLengthsRunPastTheEndWithoutOverflow)
{
    for (const std::uint64_t length : {std::uint64_t(1) << 63, maximum, maximum - 1, (std::uint64_t(1) << 63) - 1}) {
        const QByteArray prefix = ProtobufBytes::varint(length);
        PayloadReader reader(prefix + QByteArray("abc"));
        EXPECT_FALSE(reader.readLengthDelimited().has_value()) << length;
        EXPECT_EQ(reader.position(), prefix.size()) << length;
    }
}

TEST(PayloadReaderTest, LengthDelimitedFailsWhenItsPrefixDoes)
{
    PayloadReader reader(bytes({0x80}));
    EXPECT_FALSE(reader.readLengthDelimited().has_value());
    EXPECT_EQ(reader.position(), 1);
}

TEST(PayloadReaderTest, SkipsValuesByWireType)
{
    const QByteArray data = ProtobufBytes::varint(maximum) + QByteArray(8, 'x') + ProtobufBytes::varint(2) +
                            QByteArray("ab") + QByteArray(4, 'y');
    PayloadReader reader(data);
    EXPECT_TRUE(reader.skipValue(0));
    EXPECT_TRUE(reader.skipValue(1));
    EXPECT_TRUE(reader.skipValue(2));
    EXPECT_TRUE(reader.skipValue(5));
    EXPECT_TRUE(reader.atEnd());

    for (const std::uint64_t unsupported : {3u, 4u, 6u, 7u}) {
        PayloadReader other(QByteArray(16, 'x'));
        EXPECT_FALSE(other.skipValue(unsupported)) << unsupported;
    }
}

TEST(PayloadReaderTest, FixedSkipsPastTheEndFail)
{
    PayloadReader seven(QByteArray(7, 'x'));
    EXPECT_FALSE(seven.skipValue(1));
    PayloadReader three(QByteArray(3, 'x'));
    EXPECT_FALSE(three.skipValue(5));
    PayloadReader four(QByteArray(4, 'x'));
    EXPECT_TRUE(four.skipValue(5));
    EXPECT_TRUE(four.atEnd());
}
