#include "import/migration_payload.h"

#include "protobuf_bytes.h"

#include <gtest/gtest.h>

#include <limits>

using namespace OTPAuth;
using namespace ProtobufBytes;

namespace {

const QByteArray secretA("secret-A");
const QByteArray secretB("secret-B");
const QByteArray secretC("secret-C");

Entry named(const QByteArray& secret, const QString& name)
{
    Entry entry;
    entry.secret = secret;
    entry.name = name;
    return entry;
}

QStringList names(const QList<Account>& accounts)
{
    QStringList result;
    for (const Account& account : accounts)
        result.append(account.name);
    return result;
}

Account decodedEntry(const QByteArray& bytes)
{
    std::optional<Account> account = decodeOtpEntry(bytes);
    if (!account) {
        ADD_FAILURE() << "entry was dropped: " << bytes.toHex().toStdString();
        return {};
    }
    return *account;
}

} // namespace

TEST(DecodeOtpEntryTest, FullEntryFillsEveryField)
{
    Entry entry;
    entry.secret = QByteArray("\x00\x01\xFF\x00", 4);
    entry.name = QStringLiteral("alice@example.com");
    entry.issuer = QStringLiteral("Example");
    entry.algorithm = 3;
    entry.digits = 2;
    entry.type = 1;
    entry.counter = 42;

    const Instant before = currentInstant();
    const Account account = decodedEntry(entry.bytes());
    EXPECT_EQ(account.secret, *entry.secret);
    EXPECT_EQ(account.name, u"alice@example.com");
    EXPECT_EQ(account.issuer, u"Example");
    EXPECT_EQ(account.algorithm, HashAlgorithm::sha512);
    EXPECT_EQ(account.digits, 8);
    EXPECT_EQ(account.type, OTPType::hotp);
    EXPECT_EQ(account.counter, 42u);
    EXPECT_EQ(account.period, 30);
    EXPECT_FALSE(account.id.isNull());
    EXPECT_GE(account.createdAt, before);
}

TEST(DecodeOtpEntryTest, AbsentFieldsTakeTheirDefaults)
{
    const Account account = decodedEntry(bytesField(1, secretA));
    EXPECT_EQ(account.name, u"");
    EXPECT_EQ(account.issuer, u"");
    EXPECT_EQ(account.algorithm, HashAlgorithm::sha1);
    EXPECT_EQ(account.digits, 6);
    EXPECT_EQ(account.type, OTPType::totp);
    EXPECT_EQ(account.counter, 0u);
    EXPECT_EQ(account.period, 30);
}

TEST(DecodeOtpEntryTest, EnumerationsMapOnlyTheirKnownValues)
{
    const auto with = [](std::uint64_t field, std::uint64_t value) {
        return decodedEntry(bytesField(1, secretA) + varintField(field, value));
    };
    EXPECT_EQ(with(4, 0).algorithm, HashAlgorithm::sha1);
    EXPECT_EQ(with(4, 1).algorithm, HashAlgorithm::sha1);
    EXPECT_EQ(with(4, 2).algorithm, HashAlgorithm::sha256);
    EXPECT_EQ(with(4, 3).algorithm, HashAlgorithm::sha512);
    EXPECT_EQ(with(4, 4).algorithm, HashAlgorithm::sha1);
    EXPECT_EQ(with(4, 2 + (std::uint64_t(1) << 32)).algorithm, HashAlgorithm::sha1);
    EXPECT_EQ(with(5, 0).digits, 6);
    EXPECT_EQ(with(5, 1).digits, 6);
    EXPECT_EQ(with(5, 2).digits, 8);
    EXPECT_EQ(with(5, 3).digits, 6);
    EXPECT_EQ(with(6, 0).type, OTPType::totp);
    EXPECT_EQ(with(6, 1).type, OTPType::hotp);
    EXPECT_EQ(with(6, 2).type, OTPType::totp);
    EXPECT_EQ(with(7, std::numeric_limits<std::uint64_t>::max()).counter, std::numeric_limits<std::uint64_t>::max());
}

TEST(DecodeOtpEntryTest, NameIsKeptWholeAndInvalidUtf8BecomesEmpty)
{
    Entry entry = named(secretA, QStringLiteral("Example:alice"));
    entry.issuer = QStringLiteral("Example");
    EXPECT_EQ(decodedEntry(entry.bytes()).name, u"Example:alice");

    EXPECT_EQ(decodedEntry(bytesField(1, secretA) + bytesField(2, QByteArray("\xC3\xA9t\xC3\xA9"))).name, u"\u00e9t\u00e9");
    const Account broken = decodedEntry(bytesField(1, secretA) + bytesField(2, QByteArray("ab\xFF")) +
                                        bytesField(3, QByteArray("\xC0\xAF")));
    EXPECT_EQ(broken.name, u"");
    EXPECT_EQ(broken.issuer, u"");
    EXPECT_EQ(decodedEntry(bytesField(1, secretA) + bytesField(2, QByteArray("\xED\xA0\x80"))).name, u"");
}

TEST(DecodeOtpEntryTest, RepeatedFieldsTakeTheirLastValue)
{
    const Account account = decodedEntry(bytesField(1, secretA) + bytesField(2, "first") + varintField(4, 2) +
                                         bytesField(1, secretB) + bytesField(2, "second") + varintField(4, 3));
    EXPECT_EQ(account.secret, secretB);
    EXPECT_EQ(account.name, u"second");
    EXPECT_EQ(account.algorithm, HashAlgorithm::sha512);
    // A later invalid name replaces an earlier valid one.
    EXPECT_EQ(decodedEntry(bytesField(1, secretA) + bytesField(2, "ok") + bytesField(2, "\xFF")).name, u"");
}

TEST(DecodeOtpEntryTest, EntryWithoutSecretBytesIsDropped)
{
    EXPECT_FALSE(decodeOtpEntry(QByteArray()).has_value());
    EXPECT_FALSE(decodeOtpEntry(bytesField(2, "alice")).has_value());
    EXPECT_FALSE(decodeOtpEntry(bytesField(1, QByteArray()) + bytesField(2, "alice")).has_value());
    EXPECT_FALSE(decodeOtpEntry(bytesField(1, secretA) + bytesField(1, QByteArray())).has_value());
}

TEST(DecodeOtpEntryTest, UnknownFieldsAndWrongWireTypesAreSkipped)
{
    const Account account = decodedEntry(fixed32Field(9) + fixed64Field(10) + varintField(11, 5) + bytesField(12, "zz") +
                                         tag(1, 0) + varint(99) +       // secret as a varint: skipped
                                         tag(4, 2) + varint(1) + "\x02" + // algorithm as bytes: skipped
                                         tag(2, 5) + "abcd" + tag(7, 1) + "12345678" + bytesField(1, secretA) +
                                         tag(1u << 28, 0) + varint(1));
    EXPECT_EQ(account.secret, secretA);
    EXPECT_EQ(account.algorithm, HashAlgorithm::sha1);
    EXPECT_EQ(account.name, u"");
    EXPECT_EQ(account.counter, 0u);
}

TEST(DecodeOtpEntryTest, SkipThatRunsPastTheEntryDropsIt)
{
    EXPECT_FALSE(decodeOtpEntry(bytesField(1, secretA) + tag(9, 5) + "abc").has_value());
    EXPECT_FALSE(decodeOtpEntry(bytesField(1, secretA) + tag(9, 1) + "abcdefg").has_value());
    EXPECT_FALSE(decodeOtpEntry(bytesField(1, secretA) + tag(9, 2) + varint(10) + "abc").has_value());
    EXPECT_FALSE(decodeOtpEntry(bytesField(1, secretA) + tag(9, 0) + "\x80").has_value());
}

TEST(DecodeOtpEntryTest, GroupsDropTheEntry)
{
    EXPECT_FALSE(decodeOtpEntry(bytesField(1, secretA) + tag(9, 3) + tag(9, 4)).has_value());
    EXPECT_FALSE(decodeOtpEntry(bytesField(1, secretA) + tag(9, 4)).has_value());
    EXPECT_FALSE(decodeOtpEntry(tag(1, 3) + bytesField(1, secretA)).has_value());
}

TEST(DecodeOtpEntryTest, InvalidWireTypeEndsTheEntry)
{
    const Account account = decodedEntry(bytesField(1, secretA) + tag(2, 6) + bytesField(2, "never read"));
    EXPECT_EQ(account.name, u"");
    EXPECT_TRUE(decodedEntry(bytesField(1, secretA) + tag(3, 7)).issuer.isEmpty());
    EXPECT_FALSE(decodeOtpEntry(tag(2, 7) + bytesField(1, secretA)).has_value());
}

TEST(DecodeOtpEntryTest, CutOffTagEndsTheEntryWithWhatWasRead)
{
    const Account account = decodedEntry(bytesField(1, secretA) + bytesField(2, "alice") + "\x80");
    EXPECT_EQ(account.name, u"alice");
}

TEST(DecodeOtpEntryTest, TagsInOverlongFormStillCount)
{
    const QByteArray overlongSecretTag("\x8A\x80\x00", 3); // field 1, wire type 2
    EXPECT_EQ(decodedEntry(overlongSecretTag + varint(secretA.size()) + secretA).secret, secretA);
}

// A known field whose value cannot be read leaves the entry's parameters in doubt; reading
// on from inside it would take its bytes for fields.
TEST(DecodeOtpEntryTest, UnreadableKnownFieldDropsTheEntry)
{
    // The name claims 16 bytes but only 6 follow, and they look like a secret field.
    const QByteArray fakeSecret = bytesField(1, "ABCD");
    EXPECT_FALSE(decodeOtpEntry(bytesField(1, secretA) + tag(2, 2) + varint(16) + fakeSecret).has_value());
    EXPECT_FALSE(decodeOtpEntry(tag(1, 2) + varint(16) + fakeSecret).has_value());
    // Type announced, value missing: the account would silently be time-based.
    EXPECT_FALSE(decodeOtpEntry(bytesField(1, secretA) + tag(6, 0)).has_value());
    // A counter of eleven bytes is no 64-bit value.
    EXPECT_FALSE(decodeOtpEntry(bytesField(1, secretA) + tag(7, 0) + QByteArray(10, char(0xFF)) + "\x01").has_value());
}

TEST(DecodeMigrationPayloadTest, EntriesComeBackInPayloadOrder)
{
    const QByteArray payload = entryField(named(secretA, QStringLiteral("a"))) + entryField(named(secretB, QStringLiteral("b"))) +
                               entryField(named(secretC, QStringLiteral("c")));
    const QList<Account> accounts = decodeMigrationPayload(payload);
    EXPECT_EQ(names(accounts), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    for (const Account& account : accounts)
        EXPECT_EQ(account.period, 30);
    ASSERT_EQ(accounts.size(), 3);
    EXPECT_NE(accounts[0].id, accounts[1].id);
    EXPECT_EQ(accounts[2].secret, secretC);
}

TEST(DecodeMigrationPayloadTest, PayloadWithoutEntriesIsAnEmptyList)
{
    EXPECT_TRUE(decodeMigrationPayload(QByteArray()).isEmpty());
    // Version, batch size, batch index and batch id, as real exports carry them.
    EXPECT_TRUE(decodeMigrationPayload(varintField(2, 1) + varintField(3, 1) + varintField(4, 0) + varintField(5, 7)).isEmpty());
    // Field 1 as a varint is not an entry.
    EXPECT_TRUE(decodeMigrationPayload(varintField(1, 3)).isEmpty());
}

TEST(DecodeMigrationPayloadTest, OtherFieldsAreSkippedBetweenEntries)
{
    const QByteArray payload = varintField(2, 1) + entryField(named(secretA, QStringLiteral("a"))) + fixed32Field(6) +
                               fixed64Field(7) + bytesField(8, "skip me") + tag(1, 0) + varint(5) +
                               entryField(named(secretB, QStringLiteral("b")));
    EXPECT_EQ(names(decodeMigrationPayload(payload)), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(DecodeMigrationPayloadTest, DroppedEntryDoesNotStopTheOthers)
{
    Entry noSecret;
    noSecret.name = QStringLiteral("no secret");
    const QByteArray payload = entryField(noSecret) + entryField(named(QByteArray(), QStringLiteral("empty"))) +
                               entryField(bytesField(1, secretA) + tag(9, 3)) + entryField(named(secretB, QStringLiteral("b")));
    EXPECT_EQ(names(decodeMigrationPayload(payload)), (QStringList{QStringLiteral("b")}));
}

TEST(DecodeMigrationPayloadTest, TruncationAtEveryPointKeepsTheCompleteEntries)
{
    const QByteArray first = entryField(named(secretA, QStringLiteral("a")));
    const QByteArray second = entryField(named(secretB, QStringLiteral("b")));
    const QByteArray payload = first + second;
    for (qsizetype cut = 0; cut <= payload.size(); ++cut) {
        const QList<Account> accounts = decodeMigrationPayload(payload.first(cut));
        QStringList expected;
        if (cut >= first.size())
            expected.append(QStringLiteral("a"));
        if (cut == payload.size())
            expected.append(QStringLiteral("b"));
        EXPECT_EQ(names(accounts), expected) << "cut at " << cut;
    }
}

TEST(DecodeMigrationPayloadTest, CutInTheSecondLengthPrefixYieldsTheFirstAccount)
{
    const QByteArray second = named(secretB, QStringLiteral("b")).bytes() + bytesField(12, QByteArray(200, 'x'));
    ASSERT_GT(varint(second.size()).size(), 1);
    const QByteArray payload = entryField(named(secretA, QStringLiteral("a"))) + tag(1, 2) + varint(second.size()).first(1);
    EXPECT_EQ(names(decodeMigrationPayload(payload)), (QStringList{QStringLiteral("a")}));
}

TEST(DecodeMigrationPayloadTest, MalformedOuterFieldsStopTheReading)
{
    const QByteArray first = entryField(named(secretA, QStringLiteral("a")));
    const QByteArray later = entryField(named(secretB, QStringLiteral("b")));
    for (const QByteArray& breaker : {tag(9, 3), tag(9, 4), tag(9, 6), tag(9, 7), tag(9, 0) + QByteArray(10, char(0x80)),
                                      tag(9, 2) + varint(std::uint64_t(1) << 63)}) {
        EXPECT_EQ(names(decodeMigrationPayload(first + breaker + later)), (QStringList{QStringLiteral("a")}))
            << breaker.toHex().toStdString();
    }
    EXPECT_EQ(names(decodeMigrationPayload(first + tag(9, 1) + "1234567")), (QStringList{QStringLiteral("a")}));
    EXPECT_EQ(names(decodeMigrationPayload(first + tag(9, 5) + "123")), (QStringList{QStringLiteral("a")}));
}

TEST(DecodeMigrationPayloadTest, CounterAtItsMaximumArrivesUnchanged)
{
    Entry entry = named(secretA, QStringLiteral("h"));
    entry.type = 1;
    entry.counter = std::numeric_limits<std::uint64_t>::max();
    const QList<Account> accounts = decodeMigrationPayload(entryField(entry));
    ASSERT_EQ(accounts.size(), 1);
    EXPECT_EQ(accounts[0].counter, std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(accounts[0].type, OTPType::hotp);
}
