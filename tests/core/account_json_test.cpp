// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/account_json.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>
#include <limits>
#include <nlohmann/json.hpp>

namespace {

using nlohmann::json;

using namespace Qt::StringLiterals;

// The secret is "////AAE=" in Base64: slashes and a zero byte.
const Account sample{QUuid::fromString(u"3f2504e0-4f89-11d3-9a0c-0305e82c3301"),
                     u"alice@example.com"_s,
                     u"Example"_s,
                     QByteArray("\xff\xff\xff\x00\x01", 5),
                     OTPType::totp,
                     HashAlgorithm::sha256,
                     8,
                     60,
                     7,
                     instantFromSeconds(1714555800.0)};
const json sampleObject{{"id", "3F2504E0-4F89-11D3-9A0C-0305E82C3301"},
                        {"name", "alice@example.com"},
                        {"issuer", "Example"},
                        {"secret", "////AAE="},
                        {"type", "totp"},
                        {"algorithm", "SHA256"},
                        {"digits", 8},
                        {"period", 60},
                        {"counter", 7},
                        {"createdAt", "2024-05-01T09:30:00Z"}};

std::optional<Account> roundTrip(const Account& account)
{
    return decodeAccount(encodeAccount(account).value_or(""));
}

const QByteArray sampleText = QByteArray::fromStdString(sampleObject.dump());

TEST(AccountJson, WritesCompactTextWithEscapedSlashesAndWholeSeconds)
{
    Account a = sample;
    a.createdAt += std::chrono::duration<double>(0.75);
    const std::string text = encodeAccount(a).value_or("").toStdString();
    EXPECT_EQ(json::parse(text), sampleObject) << text;
    EXPECT_EQ(text.find_first_of(" \n"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("secret":"\/\/\/\/AAE=")"), std::string::npos) << text;
}

TEST(AccountJson, RoundTripKeepsEveryFieldExactly)
{
    for (std::uint64_t counter : {(std::uint64_t{1} << 53) + 1, std::numeric_limits<std::uint64_t>::max()}) {
        Account a = sample;
        a.counter = counter;
        a.type = OTPType::hotp;
        a.algorithm = HashAlgorithm::sha512;
        a.name = QString::fromUtf16(u"Zo\u00eb \U0001F511 \"q/uoted\" \\ tab\t");
        a.issuer.clear();
        a.digits = std::numeric_limits<std::int64_t>::min();
        a.period = std::numeric_limits<std::int64_t>::max();
        a.createdAt = instantFromSeconds(-14182940.0); // 1969-07-20T20:17:40Z
        EXPECT_EQ(roundTrip(a), a);
    }
    Account a = sample;
    for (int length = 0; length <= 70; ++length) {
        a.secret.append(static_cast<char>(length * 37 + 255));
        EXPECT_EQ(roundTrip(a), a) << "secret length " << length;
    }
}

TEST(AccountJson, UnrepresentableDatesAreRefusedButBrokenTextStillSaves)
{
    Account a = sample;
    for (double seconds : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                           -1.0e300, 253402300800.0, -62135596801.0}) {
        a.createdAt = instantFromSeconds(seconds);
        EXPECT_FALSE(encodeAccount(a)) << seconds;
        EXPECT_FALSE(encodeAccountList({sample, a})) << seconds;
    }
    // A lone surrogate cannot be written as UTF-8; the account must not become unstorable.
    a = sample;
    a.name = u"al"_s + QChar(char16_t(0xD800)) + u"ce"_s;
    EXPECT_EQ(roundTrip(a).value_or(Account()).id, a.id);
}

// Replaces the value of `key` in a valid document by the JSON text `raw`.
std::optional<Account> decodeWithRaw(const std::string& key, const std::string& raw)
{
    json object = sampleObject;
    object[key] = 0;
    std::string text = object.dump();
    text.replace(text.find("\"" + key + "\":0"), key.size() + 4, "\"" + key + "\":" + raw);
    return decodeAccount(QByteArray::fromStdString(text));
}

TEST(AccountJson, ReadsEachFieldStrictly)
{
    // Accepted values, written back the same apart from letter case.
    const std::pair<const char*, std::vector<std::string>> accepted[] = {
        {"id", {R"("3f2504e0-4f89-11D3-9a0c-0305e82c3301")"}},
        {"type", {R"("hotp")"}},
        {"algorithm", {R"("SHA1")", R"("SHA512")"}},
        {"counter", {"18446744073709551615", "9223372036854775809"}},
        // Values code generation cannot use still load; the account shows the placeholder.
        {"digits", {"-9223372036854775808", "0"}},
        {"period", {"9223372036854775807", "-30"}},
        {"secret", {R"("")", R"("AAA=")"}},
        {"createdAt", {R"("2024-02-29T23:59:59Z")"}},
    };
    for (const auto& [key, values] : accepted) {
        for (const std::string& raw : values) {
            const std::optional<Account> decoded = decodeWithRaw(key, raw);
            ASSERT_TRUE(decoded) << key << " = " << raw;
            const QByteArray written = encodeAccount(*decoded).value_or("").toUpper();
            EXPECT_TRUE(
                written.contains(QByteArray::fromStdString('"' + std::string(key) + "\":" + raw).toUpper()))
                << written.toStdString();
        }
    }
    const std::pair<const char*, std::vector<std::string>> rejected[] = {
        {"id",
         {R"("{3F2504E0-4F89-11D3-9A0C-0305E82C3301}")", R"("3F2504E04F8911D39A0C0305E82C3301")",
          R"("3F2504E0-4F8911D3-9A0C--0305E82C3301")", R"("3F2504E0-4F89-11D3-9A0C-0305E82C330G")",
          R"(" 3F2504E0-4F89-11D3-9A0C-0305E82C3301")",
          "\"\xef\xbc\x93"
          "F2504E0-4F89-11D3-9A0C-0305E82C330\""}}, // full-width digit
        {"type", {R"("TOTP")", R"("totp ")"}},
        {"algorithm", {R"("sha1")", R"("SHA-256")"}},
        {"counter", {"18446744073709551616", "-1", "1.8e19", "-1.0", "9007199254740993.0"}},
        {"digits", {"9223372036854775808", "6.5", "9.3e18", "1e400"}},
        {"period", {"-9223372036854775809"}},
        {"secret",
         {R"("////AAE")", R"("__--AAE=")", R"("////\nAAE=")", R"("AA=A")", R"("====")", R"("AAE=AAE=")"}},
        {"createdAt",
         {R"("2024-05-01T09:30:00.250Z")", R"("2024-05-01T09:30:00")", R"("2024-05-01t09:30:00Z")",
          R"("2024-05-01T09:30:00z")", R"("2024-05-01T09:30:00+00:00")", R"("2024-05-01T04:30:00-05:00")",
          R"("2023-02-29T09:30:00Z")", R"("1900-02-29T09:30:00Z")", R"("2024-04-31T09:30:00Z")",
          R"("2024-13-01T09:30:00Z")", R"("2024-05-01T24:00:00Z")", R"("2024-05-01T09:30:60Z")",
          R"("2024-05-01T09:30:0xZ")", R"("0000-12-31T23:59:59Z")", R"("+2024-05-01T09:30:00Z")",
          "1714555800"}},
    };
    for (const auto& [key, values] : rejected) {
        for (const std::string& raw : values)
            EXPECT_FALSE(decodeWithRaw(key, raw)) << key << " = " << raw;
    }
    // Whole numbers in float notation, as some tools write every number.
    EXPECT_EQ(decodeWithRaw("digits", "6.0").value_or(Account{}).digits, 6);
    EXPECT_EQ(decodeWithRaw("period", "-3e1").value_or(Account{}).period, -30);
    EXPECT_EQ(decodeWithRaw("counter", "1e3").value_or(Account{}).counter, 1000u);
}

TEST(AccountJson, EveryKeyIsRequiredWithItsJsonType)
{
    for (const auto& [key, value] : sampleObject.items()) {
        json missing = sampleObject;
        missing.erase(key);
        EXPECT_FALSE(decodeAccount(QByteArray::fromStdString(missing.dump()))) << key;
        for (const json& wrong : {json(nullptr), json(true), json::array(), json::object(), json(1.5),
                                  value.is_string() ? json(8) : json("8")}) {
            json object = sampleObject;
            object[key] = wrong;
            EXPECT_FALSE(decodeAccount(QByteArray::fromStdString(object.dump())))
                << key << " = " << wrong.dump();
        }
    }
}

TEST(AccountJson, ReadsOneObjectWithEitherSlashFormAndUnknownKeys)
{
    json extra = sampleObject;
    extra["note"] = json{{"nested", json::array({1, nullptr})}};
    EXPECT_EQ(decodeAccount(QByteArray::fromStdString(extra.dump())), sample);
    EXPECT_EQ(decodeAccount(QByteArray(sampleText).replace("/", "\\/")), sample);

    for (const QByteArray& text :
         {QByteArray(""), QByteArray("null"), QByteArray("[]"), QByteArray("42"), QByteArray("{}"),
          sampleText + "x", sampleText.chopped(1), "[" + sampleText + "]",
          QByteArray(sampleText).replace("alice", "al\xff\xfe")})
        EXPECT_FALSE(decodeAccount(text)) << text.toStdString();
}

TEST(AccountJson, ListsKeepOrderAndFailWholeOnOneBadElement)
{
    Account second = sample;
    second.id = QUuid::createUuid();
    second.name = QStringLiteral("bob");
    EXPECT_EQ(decodeAccountList(encodeAccountList({second, sample}).value_or("")),
              (QList<Account>{second, sample}));
    EXPECT_EQ(encodeAccountList({}), QByteArray("[]"));
    EXPECT_EQ(decodeAccountList("[]"), QList<Account>());

    json oneBad = json::array({sampleObject, sampleObject});
    oneBad[1].erase("counter");
    for (const QByteArray& text :
         {QByteArray::fromStdString(oneBad.dump()), sampleText, QByteArray("[null]"), QByteArray("[] []")})
        EXPECT_FALSE(decodeAccountList(text)) << text.toStdString();
}

TEST(AccountJson, UuidListsAreCanonicalUpperCaseAndReadStrictly)
{
    const QList<QUuid> ids{QUuid::createUuid(), QUuid::fromString(u"3f2504e0-4f89-11d3-9a0c-0305e82c3301"),
                           QUuid()};
    const QByteArray encoded = encodeUUIDList(ids);
    EXPECT_TRUE(encoded.contains(R"(,"3F2504E0-4F89-11D3-9A0C-0305E82C3301",)")) << encoded.toStdString();
    EXPECT_EQ(encoded, encoded.toUpper());
    EXPECT_EQ(decodeUUIDList(encoded), ids);
    EXPECT_EQ(decodeUUIDList(encoded.toLower()), ids);
    EXPECT_EQ(decodeUUIDList("[]"), QList<QUuid>());
    for (const char* text :
         {"", "{}", "[1]", "[null]", R"(["nope"])", R"("3F2504E0-4F89-11D3-9A0C-0305E82C3301")",
          R"(["{3F2504E0-4F89-11D3-9A0C-0305E82C3301}"])"})
        EXPECT_FALSE(decodeUUIDList(QByteArray(text))) << text;
}

} // namespace
