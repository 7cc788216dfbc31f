#include "core/account_json.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <limits>

namespace {

using nlohmann::json;

Account sampleAccount()
{
    Account a;
    a.id = QUuid::fromString(u"3f2504e0-4f89-11d3-9a0c-0305e82c3301");
    a.name = QStringLiteral("alice@example.com");
    a.issuer = QStringLiteral("Example");
    a.secret = QByteArray("\xff\xff\xff\x00\x01", 5); // Base64 "////AAE=": slashes and a zero byte
    a.type = OTPType::totp;
    a.algorithm = HashAlgorithm::sha256;
    a.digits = 8;
    a.period = 60;
    a.counter = 7;
    a.createdAt = instantFromSeconds(1714555800.0); // 2024-05-01T09:30:00Z
    return a;
}

// A valid stored document, as another writer might produce it.
json sampleObject()
{
    return json{{"id", "3F2504E0-4F89-11D3-9A0C-0305E82C3301"},
                {"name", "alice@example.com"},
                {"issuer", "Example"},
                {"secret", "////AAE="},
                {"type", "totp"},
                {"algorithm", "SHA256"},
                {"digits", 8},
                {"period", 60},
                {"counter", 7},
                {"createdAt", "2024-05-01T09:30:00Z"}};
}

std::optional<Account> decode(const json& object)
{
    return decodeAccount(QByteArray::fromStdString(object.dump()));
}

std::optional<Account> decodeWith(const char* key, const json& value)
{
    json object = sampleObject();
    object[key] = value;
    return decode(object);
}

const char* const allKeys[] = {"id",   "name",   "issuer",  "secret", "type",
                               "algorithm", "digits", "period", "counter", "createdAt"};

TEST(AccountJsonWrite, IsCompactWithEscapedSlashesAndCanonicalFields)
{
    Account a = sampleAccount();
    a.name = QStringLiteral("a/b");
    const auto encoded = encodeAccount(a);
    ASSERT_TRUE(encoded);
    const std::string text = encoded->toStdString();
    for (std::size_t pos = text.find('/'); pos != std::string::npos; pos = text.find('/', pos + 1))
        EXPECT_EQ(text[pos - 1], '\\') << text;
    EXPECT_NE(text.find(R"("secret":"\/\/\/\/AAE=")"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("name":"a\/b")"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("id":"3F2504E0-4F89-11D3-9A0C-0305E82C3301")"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("createdAt":"2024-05-01T09:30:00Z")"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("algorithm":"SHA256")"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("type":"totp")"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("digits":8)"), std::string::npos) << text;
    EXPECT_EQ(text.find(' '), std::string::npos) << text;
    EXPECT_EQ(text.find('\n'), std::string::npos) << text;

    // Exactly the ten keys.
    const json parsed = json::parse(text);
    EXPECT_EQ(parsed.size(), 10u);
    for (const char* key : allKeys)
        EXPECT_TRUE(parsed.contains(key)) << key;
}

TEST(AccountJsonWrite, FractionOfASecondIsDroppedNotRounded)
{
    Account a = sampleAccount();
    a.createdAt = instantFromSeconds(1714555800.750);
    const auto encoded = encodeAccount(a);
    ASSERT_TRUE(encoded);
    EXPECT_TRUE(encoded->contains(R"("createdAt":"2024-05-01T09:30:00Z")")) << encoded->toStdString();
    const auto decoded = decodeAccount(*encoded);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->createdAt, instantFromSeconds(1714555800.0));
    EXPECT_NE(*decoded, a);
}

TEST(AccountJsonWrite, UnrepresentableDatesAreRefusedRatherThanWrittenBadly)
{
    Account a = sampleAccount();
    for (double seconds : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(), 1.0e300, -1.0e300, 253402300800.0,
                           -62135596801.0}) {
        a.createdAt = instantFromSeconds(seconds);
        EXPECT_FALSE(encodeAccount(a)) << seconds;
        EXPECT_FALSE(encodeAccountList({sampleAccount(), a})) << seconds;
    }
    // The first and last representable seconds still work both ways.
    for (double seconds : {253402300799.0, -62135596800.0}) {
        a.createdAt = instantFromSeconds(seconds);
        const auto encoded = encodeAccount(a);
        ASSERT_TRUE(encoded) << seconds;
        EXPECT_EQ(decodeAccount(*encoded), a) << seconds;
    }
}

TEST(AccountJsonRoundTrip, KeepsEveryFieldExactly)
{
    const std::uint64_t counters[] = {0, (std::uint64_t{1} << 53) + 1, (std::uint64_t{1} << 63) + 1,
                                      std::numeric_limits<std::uint64_t>::max()};
    for (std::uint64_t counter : counters) {
        Account a = sampleAccount();
        a.counter = counter;
        a.type = OTPType::hotp;
        a.algorithm = HashAlgorithm::sha512;
        a.name = QString::fromUtf16(u"Zo\u00eb \U0001F511 \"quoted\" \\ tab\t");
        a.issuer = QString();
        a.secret = QByteArray(37, '\0');
        a.digits = std::numeric_limits<std::int64_t>::min();
        a.period = std::numeric_limits<std::int64_t>::max();
        a.createdAt = instantFromSeconds(-14182940.0); // 1969-07-20T20:17:40Z
        const auto encoded = encodeAccount(a);
        ASSERT_TRUE(encoded);
        EXPECT_EQ(decodeAccount(*encoded), a) << encoded->toStdString();
    }
}

TEST(AccountJsonWrite, TextThatIsNotValidUnicodeStillSaves)
{
    // A lone surrogate cannot be written as UTF-8; the account must still be storable.
    Account a = sampleAccount();
    a.name = QStringLiteral("al") + QChar(char16_t(0xD800)) + QStringLiteral("ce");
    a.issuer = QString(QChar(char16_t(0xDFFF)));
    const auto encoded = encodeAccount(a);
    ASSERT_TRUE(encoded);
    const auto decoded = decodeAccount(*encoded);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->id, a.id);
    EXPECT_TRUE(decoded->name.startsWith(u"al"));
    EXPECT_TRUE(decoded->name.endsWith(u"ce"));
}

TEST(AccountJsonRoundTrip, SecretsOfEveryLengthSurvive)
{
    Account a = sampleAccount();
    for (int length = 0; length <= 70; ++length) {
        a.secret = QByteArray(length, '\0');
        for (int i = 0; i < length; ++i)
            a.secret[i] = static_cast<char>(i * 37 + 255);
        const auto encoded = encodeAccount(a);
        ASSERT_TRUE(encoded);
        const auto decoded = decodeAccount(*encoded);
        ASSERT_TRUE(decoded) << length;
        EXPECT_EQ(decoded->secret, a.secret) << length;
    }
}

TEST(AccountJsonRead, AcceptsEitherSlashFormUnknownKeysAndAnyKeyOrder)
{
    const auto fromPlain = decode(sampleObject());
    ASSERT_TRUE(fromPlain);
    EXPECT_EQ(*fromPlain, sampleAccount());

    const QByteArray escaped = QByteArray::fromStdString(sampleObject().dump()).replace("/", "\\/");
    EXPECT_EQ(decodeAccount(escaped), sampleAccount());

    json extra = sampleObject();
    extra["favourite"] = json{{"nested", json::array({1, 2, 3})}};
    extra["note"] = nullptr;
    EXPECT_EQ(decode(extra), sampleAccount());

    // Reversed key order, pretty-printed.
    std::string reversed = "{\n";
    const json object = sampleObject();
    for (auto it = std::rbegin(allKeys); it != std::rend(allKeys); ++it)
        reversed += "  \"" + std::string(*it) + "\" : " + object.at(*it).dump() + (it + 1 == std::rend(allKeys) ? "\n" : ",\n");
    reversed += "}";
    EXPECT_EQ(decodeAccount(QByteArray::fromStdString(reversed)), sampleAccount());
}

TEST(AccountJsonRead, IdIsAcceptedInEitherCase)
{
    EXPECT_EQ(decodeWith("id", "3f2504e0-4f89-11d3-9a0c-0305e82c3301"), sampleAccount());
    EXPECT_FALSE(decodeWith("id", "{3F2504E0-4F89-11D3-9A0C-0305E82C3301}"));
    EXPECT_FALSE(decodeWith("id", "3F2504E04F8911D39A0C0305E82C3301"));
    EXPECT_FALSE(decodeWith("id", "not a uuid"));
}

TEST(AccountJsonRead, EveryKeyIsRequired)
{
    for (const char* key : allKeys) {
        json object = sampleObject();
        object.erase(key);
        EXPECT_FALSE(decode(object)) << key;
    }
}

TEST(AccountJsonRead, WrongJsonTypesAreRejected)
{
    const json wrongValues[] = {nullptr, true, json::array(), json::object(), 1.5};
    for (const char* key : allKeys) {
        for (const json& value : wrongValues)
            EXPECT_FALSE(decodeWith(key, value)) << key << " = " << value.dump();
        const bool isNumberKey = std::string_view(key) == "digits" || std::string_view(key) == "period" ||
                                 std::string_view(key) == "counter";
        EXPECT_FALSE(decodeWith(key, isNumberKey ? json("8") : json(8))) << key;
    }
}

TEST(AccountJsonRead, RawValuesAreCaseSensitive)
{
    EXPECT_FALSE(decodeWith("type", "TOTP"));
    EXPECT_FALSE(decodeWith("type", "Hotp"));
    EXPECT_FALSE(decodeWith("algorithm", "sha1"));
    EXPECT_FALSE(decodeWith("algorithm", "Sha256"));
    EXPECT_FALSE(decodeWith("algorithm", "SHA-256"));
    ASSERT_TRUE(decodeWith("type", "hotp"));
    EXPECT_EQ(decodeWith("type", "hotp")->type, OTPType::hotp);
    EXPECT_EQ(decodeWith("algorithm", "SHA1")->algorithm, HashAlgorithm::sha1);
    EXPECT_EQ(decodeWith("algorithm", "SHA512")->algorithm, HashAlgorithm::sha512);
}

TEST(AccountJsonRead, IntegersMustFitTheirFields)
{
    auto textWith = [](const char* key, const char* number) {
        json object = sampleObject();
        object[key] = 0;
        std::string text = object.dump();
        const std::string needle = "\"" + std::string(key) + "\":0";
        text.replace(text.find(needle), needle.size(), "\"" + std::string(key) + "\":" + number);
        return decodeAccount(QByteArray::fromStdString(text));
    };
    ASSERT_TRUE(textWith("counter", "18446744073709551615"));
    EXPECT_EQ(textWith("counter", "18446744073709551615")->counter, std::numeric_limits<std::uint64_t>::max());
    EXPECT_EQ(textWith("counter", "9223372036854775809")->counter, (std::uint64_t{1} << 63) + 1);
    EXPECT_FALSE(textWith("counter", "18446744073709551616"));
    EXPECT_FALSE(textWith("counter", "-1"));
    EXPECT_FALSE(textWith("counter", "1e3"));
    EXPECT_FALSE(textWith("counter", "7.5"));

    EXPECT_EQ(textWith("digits", "-9223372036854775808")->digits, std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(textWith("period", "9223372036854775807")->period, std::numeric_limits<std::int64_t>::max());
    EXPECT_FALSE(textWith("digits", "9223372036854775808"));
    EXPECT_FALSE(textWith("period", "-9223372036854775809"));
    EXPECT_FALSE(textWith("digits", "6.5"));
    // Out-of-range values that still fit decode; code generation deals with them.
    EXPECT_EQ(textWith("digits", "0")->digits, 0);
    EXPECT_EQ(textWith("period", "-30")->period, -30);
}

TEST(AccountJsonRead, SecretMustBeStandardPaddedBase64)
{
    ASSERT_TRUE(decodeWith("secret", ""));
    EXPECT_TRUE(decodeWith("secret", "")->secret.isEmpty());
    EXPECT_EQ(decodeWith("secret", "AAA=")->secret, QByteArray(2, '\0'));
    for (const char* bad : {"////AAE", "__--AAE=", "////\nAAE=", "//// AAE=", "AA=A", "A===", "====", "AAE=AAE=",
                            "!!!!", "QUJD\x01"})
        EXPECT_FALSE(decodeWith("secret", bad)) << bad;
}

TEST(AccountJsonRead, CreatedAtMustBeAWholeSecondInternetDateTime)
{
    EXPECT_FALSE(decodeWith("createdAt", "2024-05-01T09:30:00.250Z"));
    EXPECT_FALSE(decodeWith("createdAt", "2024-05-01T09:30:00.000Z"));
    EXPECT_FALSE(decodeWith("createdAt", "2024-05-01 09:30:00Z"));
    EXPECT_FALSE(decodeWith("createdAt", "2024-05-01T09:30:00"));
    // The stored form is UTC with "Z"; a numeric offset is another form.
    EXPECT_FALSE(decodeWith("createdAt", "2024-05-01T04:30:00-05:00"));
    EXPECT_FALSE(decodeWith("createdAt", "2024-05-01T09:30:00+00:00"));
    EXPECT_FALSE(decodeWith("createdAt", "2024-05-01"));
    EXPECT_FALSE(decodeWith("createdAt", "2024-13-01T09:30:00Z"));
    EXPECT_FALSE(decodeWith("createdAt", "2023-02-29T09:30:00Z"));
    EXPECT_FALSE(decodeWith("createdAt", "2024-05-01T24:00:00Z"));
    EXPECT_FALSE(decodeWith("createdAt", "2024-05-01T09:60:00Z"));
    EXPECT_FALSE(decodeWith("createdAt", "+2024-05-01T09:30:00Z"));
    EXPECT_FALSE(decodeWith("createdAt", "1714555800"));
    EXPECT_FALSE(decodeWith("createdAt", ""));
    EXPECT_EQ(decodeWith("createdAt", "2024-02-29T23:59:59Z")->createdAt, instantFromSeconds(1709251199.0));
    EXPECT_EQ(decodeWith("createdAt", "1970-01-01T00:00:00Z")->createdAt, instantFromSeconds(0.0));
}

TEST(AccountJsonRead, DocumentsThatAreNotOneObjectAreRejected)
{
    for (const char* text : {"", "null", "[]", "\"text\"", "42", "{", "{}", "[{}]"})
        EXPECT_FALSE(decodeAccount(QByteArray(text))) << text;
    const QByteArray valid = QByteArray::fromStdString(sampleObject().dump());
    EXPECT_FALSE(decodeAccount(valid + "x"));
    EXPECT_FALSE(decodeAccount(valid.left(valid.size() - 1)));
    EXPECT_FALSE(decodeAccount(QByteArray::fromStdString("[" + sampleObject().dump() + "]")));
    // Invalid UTF-8 inside a string.
    QByteArray invalidUtf8 = valid;
    invalidUtf8.replace("alice", "al\xff\xfe");
    EXPECT_FALSE(decodeAccount(invalidUtf8));
}

TEST(AccountListJson, EmptyArrayIsAnEmptyList)
{
    const auto empty = decodeAccountList("[]");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->isEmpty());
    EXPECT_EQ(encodeAccountList({}), QByteArray("[]"));
}

TEST(AccountListJson, KeepsOrderAndFailsWholeOnOneBadElement)
{
    Account first = sampleAccount();
    Account second = sampleAccount();
    second.id = QUuid::createUuid();
    second.name = QStringLiteral("bob");
    second.counter = std::numeric_limits<std::uint64_t>::max();
    const auto encoded = encodeAccountList({second, first});
    ASSERT_TRUE(encoded);
    EXPECT_FALSE(encoded->contains(' '));
    const auto decoded = decodeAccountList(*encoded);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(*decoded, (QList<Account>{second, first}));

    json array = json::array({sampleObject(), sampleObject()});
    array[1].erase("counter");
    EXPECT_FALSE(decodeAccountList(QByteArray::fromStdString(array.dump())));
    EXPECT_FALSE(decodeAccountList(QByteArray::fromStdString(sampleObject().dump())));
    EXPECT_FALSE(decodeAccountList("[null]"));
    EXPECT_FALSE(decodeAccountList("[] []"));
}

TEST(UUIDListJson, RoundTripsInCanonicalUpperCase)
{
    const QList<QUuid> ids{QUuid::createUuid(), QUuid::fromString(u"3f2504e0-4f89-11d3-9a0c-0305e82c3301"), QUuid()};
    const QByteArray encoded = encodeUUIDList(ids);
    EXPECT_TRUE(encoded.contains("\"3F2504E0-4F89-11D3-9A0C-0305E82C3301\"")) << encoded.toStdString();
    EXPECT_EQ(encoded, encoded.toUpper());
    EXPECT_EQ(decodeUUIDList(encoded), ids);
    EXPECT_EQ(decodeUUIDList("[]"), QList<QUuid>());
    EXPECT_EQ(encodeUUIDList({}), QByteArray("[]"));
}

TEST(UUIDListJson, ReadsEitherCaseAndRejectsAnythingElse)
{
    EXPECT_EQ(decodeUUIDList(R"(["3f2504e0-4f89-11d3-9a0c-0305E82C3301"])"),
              QList<QUuid>{QUuid::fromString(u"3F2504E0-4F89-11D3-9A0C-0305E82C3301")});
    for (const char* text : {"", "{}", "[1]", "[null]", R"(["nope"])", R"("3F2504E0-4F89-11D3-9A0C-0305E82C3301")",
                             R"(["{3F2504E0-4F89-11D3-9A0C-0305E82C3301}"])"})
        EXPECT_FALSE(decodeUUIDList(QByteArray(text))) << text;
}

} // namespace
