// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/migration_payload.h"
#include "import/parse_migration.h"
#include "support/protobuf_bytes.h"

#include <QUrl>
#include <gtest/gtest.h>
#include <limits>

using namespace OTPAuth;
using namespace ProtobufBytes;
using namespace Qt::StringLiterals;

namespace {

constexpr std::uint64_t maximum = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t bit63 = std::uint64_t(1) << 63;
const QByteArray secret("secret-A");

QStringList names(const QList<Account>& accounts)
{
    QStringList result;
    for (const Account& account : accounts)
        result.append(account.name);
    return result;
}

// The names of the accounts an export link gives, or the message of its error.
QStringList fromLink(const QString& text)
{
    auto result = parseMigration(text);
    return result.ok() ? names(result.value()) : QStringList{message(result.error())};
}

Account decoded(const QByteArray& entryBytes)
{
    const std::optional<Account> account = decodeOtpEntry(entryBytes);
    EXPECT_TRUE(account.has_value()) << "entry dropped: " << entryBytes.toHex().toStdString();
    return account.value_or(Account{});
}

} // namespace

TEST(DecodeOtpEntryTest, EveryFieldReachesTheAccountAndRepeatedFieldsTakeTheLastValue)
{
    const QByteArray binary("\x00\x01\xFF\x00", 4);
    const Account account =
        decoded(bytesField(1, "first") + bytesField(2, "first") + varintField(4, 2) + varintField(7, 5) +
                bytesField(1, binary) + bytesField(2, "Example:alice") + bytesField(3, "Example") +
                varintField(4, 3) + varintField(5, 2) + varintField(6, 1) + varintField(7, maximum));
    EXPECT_EQ(account.secret, binary);
    EXPECT_EQ(account.name, u"Example:alice");
    EXPECT_EQ(account.issuer, u"Example");
    EXPECT_EQ(account.algorithm, HashAlgorithm::sha512);
    EXPECT_EQ(account.digits, 8);
    EXPECT_EQ(account.type, OTPType::hotp);
    EXPECT_EQ(account.counter, maximum);
    EXPECT_EQ(account.period, 30);
    EXPECT_FALSE(account.id.isNull());
    // Of a tenth varint byte only the bit that lands on bit 63 fits.
    EXPECT_EQ(
        decoded(bytesField(1, secret) + tag(7, 0) + QByteArray::fromHex("8080808080808080807f")).counter,
        bit63);

    // Text that is not UTF-8 (here overlong, a surrogate) reads as empty, also over a valid earlier value.
    const Account broken = decoded(bytesField(1, secret) + bytesField(2, "ok") +
                                   bytesField(2, "\xED\xA0\x80") + bytesField(3, "\xC0\xAF"));
    EXPECT_EQ(broken.name, QString());
    EXPECT_EQ(broken.issuer, QString());
    EXPECT_EQ(decoded(bytesField(1, secret) + bytesField(2, "\xC3\xA9t\xC3\xA9")).name, u"\u00e9t\u00e9");
}

TEST(DecodeOtpEntryTest, EnumerationsMapOnlyTheirKnownValues)
{
    using enum HashAlgorithm;
    using enum OTPType;
    const struct
    {
        std::uint64_t field, value;
        HashAlgorithm algorithm;
        std::int64_t digits;
        OTPType type;
    } cases[] = {
        {4, 0, sha1, 6, totp},   {4, 1, sha1, 6, totp}, {4, 2, sha256, 6, totp},
        {4, 3, sha512, 6, totp}, {4, 4, sha1, 6, totp}, {4, 2 + (std::uint64_t(1) << 32), sha1, 6, totp},
        {5, 1, sha1, 6, totp},   {5, 2, sha1, 8, totp}, {5, 3, sha1, 6, totp},
        {6, 1, sha1, 6, hotp},   {6, 2, sha1, 6, totp},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "field " << c.field << " = " << c.value);
        const Account account = decoded(bytesField(1, secret) + varintField(c.field, c.value));
        EXPECT_EQ(account.algorithm, c.algorithm);
        EXPECT_EQ(account.digits, c.digits);
        EXPECT_EQ(account.type, c.type);
    }
}

TEST(DecodeOtpEntryTest, UnknownFieldsAreSkippedAndAnInvalidWireTypeOrCutTagEndsTheEntry)
{
    const QByteArray overlongSecretTag("\x8A\x80\x00", 3);
    const Account skipped =
        decoded(tag(9, 5) + "abcd" + tag(7, 1) + "12345678" + varintField(11, 5) + bytesField(12, "z") +
                varintField(1, 99) + bytesField(4, "\x02") + tag(2, 5) + "abcd" + varintField(1u << 28, 1) +
                overlongSecretTag + varint(secret.size()) + secret);
    EXPECT_EQ(skipped.secret, secret);
    EXPECT_EQ(skipped.algorithm, HashAlgorithm::sha1);
    EXPECT_EQ(skipped.name, QString());
    EXPECT_EQ(skipped.counter, 0u);
    EXPECT_EQ(decoded(bytesField(1, secret) + tag(2, 6) + bytesField(2, "never read")).name, QString());
    EXPECT_EQ(decoded(bytesField(1, secret) + bytesField(2, "alice") + "\x80").name, u"alice");
}

TEST(DecodeOtpEntryTest, EntriesWithoutASecretOrWithUnreadableFieldsAreDropped)
{
    const QByteArray first = bytesField(1, secret);
    // A cut-off known field must not be read on from inside: these bytes would pass for a secret.
    const QByteArray fakeSecret = bytesField(1, "ABCD");
    const QByteArray cases[] = {
        QByteArray(),
        bytesField(2, "alice"),
        bytesField(1, QByteArray()) + bytesField(2, "alice"),
        first + bytesField(1, QByteArray()),
        tag(2, 7) + first,
        first + tag(9, 5) + "abc",
        first + tag(9, 1) + "abcdefg",
        first + tag(9, 2) + varint(10) + "abc",
        first + tag(9, 0) + "\x80",
        first + tag(9, 3) + tag(9, 4),
        first + tag(9, 4),
        tag(1, 3) + first,
        first + tag(2, 2) + varint(16) + fakeSecret,
        tag(1, 2) + varint(16) + fakeSecret,
        first + tag(6, 0), // a missing type would silently make it time-based
        first + tag(7, 0) + QByteArray(10, char(0xFF)) + "\x01",
    };
    for (const QByteArray& entryBytes : cases)
        EXPECT_EQ(decodeOtpEntry(entryBytes), std::nullopt) << entryBytes.toHex().toStdString();
}

TEST(DecodeMigrationPayloadTest, EntriesComeInPayloadOrderPastOtherFieldsAndDroppedEntries)
{
    const QList<Account> accounts = decodeMigrationPayload(
        varintField(2, 1) + entry("k1", u"a"_s) + tag(6, 5) + "1234" + tag(7, 1) + "12345678" +
        bytesField(8, "z") + varintField(1, 5) + entry(QByteArray(), u"no secret"_s) +
        bytesField(1, bytesField(1, secret) + tag(9, 3)) + entry("k2", u"b"_s) + entry("k3", u"c"_s));
    ASSERT_EQ(names(accounts), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
    EXPECT_EQ(accounts[2].secret, QByteArray("k3"));
    EXPECT_NE(accounts[0].id, accounts[1].id);
}

TEST(DecodeMigrationPayloadTest, TruncationAtEveryByteKeepsTheCompleteEntries)
{
    const QByteArray first = entry("k1", u"a"_s);
    // Long enough for a two-byte length prefix, so that cuts also land inside one.
    const QByteArray payload = first + bytesField(1, bytesField(1, "k2") + bytesField(2, "b") +
                                                         bytesField(12, QByteArray(200, 'x')));
    for (qsizetype cut = 0; cut <= payload.size(); ++cut) {
        const qsizetype complete = cut < first.size() ? 0 : cut < payload.size() ? 1 : 2;
        const QStringList expected = QStringList{u"a"_s, u"b"_s}.first(complete);
        EXPECT_EQ(names(decodeMigrationPayload(payload.first(cut))), expected) << "cut at " << cut;
    }
}

TEST(DecodeMigrationPayloadTest, MalformedOuterFieldsStopTheReading)
{
    const QByteArray later = entry("k2", u"b"_s);
    for (const QByteArray& rest :
         {tag(9, 3) + later, tag(9, 4) + later, tag(9, 6) + later, tag(9, 7) + later,
          tag(9, 0) + QByteArray(10, char(0x80)) + later, tag(9, 2) + varint(bit63) + later,
          tag(9, 2) + varint(bit63 - 1) + later, tag(9, 2) + varint(maximum) + later, tag(9, 1) + "1234567",
          tag(9, 5) + "123"})
        EXPECT_EQ(names(decodeMigrationPayload(entry("k1", u"a"_s) + rest)), QStringList{u"a"_s})
            << rest.toHex().data();
}

TEST(ParseMigrationTest, AnyHostAndSchemeCaseAndBothBase64AlphabetsAreRead)
{
    // The standard form of this payload holds "+", "/" and padding.
    const QByteArray payload = entry("\xEF\xBE\xFB\xFF", u"x"_s) + QByteArray("\x10\xFF\x01", 3);
    const QString standard = QString::fromLatin1(payload.toBase64());
    ASSERT_TRUE(standard.contains(u'+') && standard.contains(u'/') && standard.endsWith(u'='));
    const QString escaped = QString::fromLatin1(QUrl::toPercentEncoding(standard));
    const QString urlSafe =
        QString::fromLatin1(payload.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals));
    // "+" in a query stays "+", so an unescaped standard payload reads too; a later "data" is ignored.
    for (const QString& link :
         {u"otpauth-migration://offline?data="_s + escaped, u"otpauth-migration://foo?data="_s + urlSafe,
          u"OTPAUTH-MIGRATION://OFFLINE?DATA="_s + standard,
          u"otpauth-migration:offline/path?x=1&data="_s + escaped + u"&data=!!"_s})
        EXPECT_EQ(fromLink(link), QStringList{u"x"_s}) << link.toStdString();
    EXPECT_EQ(fromLink(u"otpauth-migration://offline?data=EAE"_s), QStringList()); // no entries is no error
}

TEST(ParseMigrationTest, EachLinkLayerFailureHasItsError)
{
    const QString prefix = u"otpauth-migration://offline"_s;
    const QString scheme = u"Unsupported URL scheme."_s, invalid = u"Invalid otpauth URL."_s;
    const QString undecodable = u"Could not decode Google Authenticator export."_s;
    const struct
    {
        QString link, error;
    } cases[] = {
        {QString(), scheme},
        {u"offline?data=EAE"_s, scheme},
        {u"otpauth://offline?data=EAE"_s, scheme},
        {prefix + u"?data=%zz"_s, invalid},
        {prefix + u"?data=QUJD\nQUJD"_s, invalid},
        {prefix, invalid},
        {prefix + u"?other=EAE"_s, invalid},
        {prefix + u"?x=1#data=EAE"_s, invalid},
        {prefix + u"?data="_s, invalid},
        {prefix + u"?data=&data=EAE"_s, invalid},
        {prefix + u"?data&data=EAE"_s, invalid},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fromLink(c.link), QStringList{c.error}) << c.link.toStdString();

    // Strict Base64 once padded: no white space, no stray padding, nothing outside the alphabet.
    for (const QString& data : {u"Q"_s, u"QUJDR"_s, u"QU JD"_s, u"QUJD%0D%0A"_s, u"QU%09D"_s, u"QQ%3DA"_s,
                                u"Q%3D%3D%3D"_s, u"QUJD%3D%3D%3D%3D"_s, u"QU*D"_s, u"%C3%84QUJ"_s}) {
        EXPECT_EQ(fromLink(prefix + u"?data="_s + data), QStringList{undecodable}) << data.toStdString();
    }
    for (const QString& data : {u"QQ"_s, u"QQ="_s, u"QQ%3D%3D"_s})
        EXPECT_EQ(fromLink(prefix + u"?data="_s + data), QStringList()) << data.toStdString();
}
