#include "import/parse_migration.h"

#include "protobuf_bytes.h"

#include <gtest/gtest.h>

#include <QUrl>

using namespace OTPAuth;
using namespace ProtobufBytes;

namespace {

Entry named(const QByteArray& secret, const QString& name)
{
    Entry entry;
    entry.secret = secret;
    entry.name = name;
    return entry;
}

const QByteArray threeEntries = entryField(named("secret-A", QStringLiteral("a"))) + entryField(named("secret-B", QStringLiteral("b"))) +
                                entryField(named("secret-C", QStringLiteral("c"))) + varintField(2, 1);

QString exportLink(const QByteArray& payload, const QString& prefix = QStringLiteral("otpauth-migration://offline?data="))
{
    return prefix + QString::fromLatin1(QUrl::toPercentEncoding(QString::fromLatin1(payload.toBase64())));
}

QStringList names(const QList<Account>& accounts)
{
    QStringList result;
    for (const Account& account : accounts)
        result.append(account.name);
    return result;
}

QStringList namesFrom(const QString& text)
{
    Result<QList<Account>, ParseError> result = parseMigration(text);
    if (!result.ok()) {
        ADD_FAILURE() << "expected accounts from " << text.toStdString() << ", got: " << message(result.error()).toStdString();
        return {};
    }
    return names(result.value());
}

std::optional<ParseError> errorOf(const QString& text)
{
    Result<QList<Account>, ParseError> result = parseMigration(text);
    if (result.ok())
        return std::nullopt;
    return result.error();
}

const QStringList abc{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};

} // namespace

TEST(ParseMigrationTest, ExportLinkYieldsEveryEntryInOrder)
{
    const Result<QList<Account>, ParseError> result = parseMigration(exportLink(threeEntries));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(names(result.value()), abc);
    for (const Account& account : result.value())
        EXPECT_EQ(account.period, 30);
}

TEST(ParseMigrationTest, AnyHostAndSchemeCaseAreAccepted)
{
    EXPECT_EQ(namesFrom(exportLink(threeEntries, QStringLiteral("otpauth-migration://foo?data="))), abc);
    EXPECT_EQ(namesFrom(exportLink(threeEntries, QStringLiteral("OTPAUTH-MIGRATION://OFFLINE?DATA="))), abc);
    EXPECT_EQ(namesFrom(exportLink(threeEntries, QStringLiteral("otpauth-migration:offline/path?x=1&data="))), abc);
}

TEST(ParseMigrationTest, UrlSafeAlphabetWithoutPaddingDecodesAlike)
{
    // Chosen so that the standard form holds "+", "/" and padding.
    const QByteArray payload = entryField(named(QByteArray("\xFB\xEF\xFF\xFE", 4), QStringLiteral("x"))) + QByteArray("\x10\xFF\x01", 3);
    const QByteArray standard = payload.toBase64();
    ASSERT_TRUE(standard.contains('+') || standard.contains('/'));
    ASSERT_TRUE(standard.endsWith('='));
    const QByteArray urlSafe = payload.toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals);

    EXPECT_EQ(namesFrom(QStringLiteral("otpauth-migration://offline?data=") + QString::fromLatin1(urlSafe)),
              QStringList{QStringLiteral("x")});
    EXPECT_EQ(namesFrom(exportLink(payload)), QStringList{QStringLiteral("x")});
    // "+" in the query stays "+", so an unescaped standard payload reads too.
    EXPECT_EQ(namesFrom(QStringLiteral("otpauth-migration://offline?data=") + QString::fromLatin1(standard)),
              QStringList{QStringLiteral("x")});
}

TEST(ParseMigrationTest, OneCharacterTooManyCannotBePadded)
{
    QString data = QString::fromLatin1(threeEntries.toBase64(QByteArray::OmitTrailingEquals));
    while (data.size() % 4 != 1)
        data.chop(1);
    EXPECT_EQ(errorOf(QStringLiteral("otpauth-migration://offline?data=") + data), ParseError::migrationDecodeFailed);
    EXPECT_EQ(errorOf(QStringLiteral("otpauth-migration://offline?data=Q")), ParseError::migrationDecodeFailed);
}

TEST(ParseMigrationTest, DataMustBeStrictBase64)
{
    const QString prefix = QStringLiteral("otpauth-migration://offline?data=");
    for (const char* data : {"QUJD%20", "QU%20JD", "QUJD%0A", "QUJD%0D%0A", "QU%09D", "QQ%3DA", "Q%3D%3D%3D", "QUJD%3D%3D%3D%3D",
                             "QQ%3D%3DQUJD", "QU*D", "QU.D", "%C3%84QUJ"}) {
        EXPECT_EQ(errorOf(prefix + QString::fromLatin1(data)), ParseError::migrationDecodeFailed) << data;
    }
    // A space typed into the link reaches the decoder as it is.
    EXPECT_EQ(errorOf(prefix + QStringLiteral("QU JD")), ParseError::migrationDecodeFailed);
    // Short padding is completed; explicit padding is kept.
    EXPECT_TRUE(parseMigration(prefix + QStringLiteral("QQ")).ok());
    EXPECT_TRUE(parseMigration(prefix + QStringLiteral("QQ%3D%3D")).ok());
    EXPECT_TRUE(parseMigration(prefix + QStringLiteral("QQ=")).ok());
}

TEST(ParseMigrationTest, MissingOrEmptyFirstDataIsAnInvalidLink)
{
    EXPECT_EQ(errorOf(QStringLiteral("otpauth-migration://offline")), ParseError::invalidURL);
    EXPECT_EQ(errorOf(QStringLiteral("otpauth-migration://offline?")), ParseError::invalidURL);
    EXPECT_EQ(errorOf(QStringLiteral("otpauth-migration://offline?other=QUJD")), ParseError::invalidURL);
    EXPECT_EQ(errorOf(QStringLiteral("otpauth-migration://offline?data=")), ParseError::invalidURL);
    EXPECT_EQ(errorOf(exportLink(threeEntries, QStringLiteral("otpauth-migration://offline?data=&data="))), ParseError::invalidURL);
    EXPECT_EQ(errorOf(exportLink(threeEntries, QStringLiteral("otpauth-migration://offline?data&data="))), ParseError::invalidURL);
    EXPECT_EQ(errorOf(QStringLiteral("otpauth-migration://offline?x=1#data=QUJD")), ParseError::invalidURL);
    // The first "data" decides, even when a later one would not decode.
    EXPECT_EQ(namesFrom(exportLink(threeEntries) + QStringLiteral("&data=!!")), abc);
}

TEST(ParseMigrationTest, OtherSchemesAreUnsupported)
{
    EXPECT_EQ(errorOf(exportLink(threeEntries, QStringLiteral("otpauth://offline?data="))), ParseError::unsupportedScheme);
    EXPECT_EQ(errorOf(exportLink(threeEntries, QStringLiteral("offline?data="))), ParseError::unsupportedScheme);
    EXPECT_EQ(errorOf(QString()), ParseError::unsupportedScheme);
    EXPECT_EQ(errorOf(QStringLiteral("otpauth-migration://offline?data=%zz")), ParseError::invalidURL);
    EXPECT_EQ(errorOf(QStringLiteral("otpauth-migration://offline?data=QUJD\nQUJD")), ParseError::invalidURL);
}

TEST(ParseMigrationTest, PayloadWithoutEntriesIsAnEmptySuccess)
{
    const Result<QList<Account>, ParseError> result = parseMigration(exportLink(varintField(2, 1) + varintField(3, 1)));
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(result.value().isEmpty());
}

TEST(ParseMigrationTest, MalformedPayloadKeepsWhatWasComplete)
{
    const QByteArray cut = threeEntries.first(entryField(named("secret-A", QStringLiteral("a"))).size() + 3);
    EXPECT_EQ(namesFrom(exportLink(cut)), QStringList{QStringLiteral("a")});
}
