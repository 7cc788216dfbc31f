// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/base32.h"
#include "import/formats/aegis_vault.h"
#include "import/formats/backup_crypto.h"
#include "import/formats/backup_reader.h"
#include "import/formats/migration_export.h"
#include "import/formats/otpauth_link.h"
#include "import/parse_migration.h"
#include "support/test_accounts.h"

#include <QUrl>
#include <QtEndian>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace Qt::StringLiterals;
using nlohmann::json;

namespace {

const BackupCrypto::ScryptCost cheap{1024, 8, 1};

// All three hashes, 6 to 8 digits, several periods, counters, names beyond ASCII and the
// characters a link must escape.
QList<Account> knownAccounts()
{
    Account a = testAccount(u"alice@example.com"_s, u"Example"_s, "12345678901234567890");
    Account b = testAccount(u"Zoë 銀行"_s, u"Bänk Zürich"_s, QByteArray(32, '\x01'));
    b.algorithm = HashAlgorithm::sha256;
    b.digits = 8;
    b.period = 60;
    Account c = testAccount(u"100% & more"_s, u""_s, QByteArray("\x00\xff\x10", 3));
    c.algorithm = HashAlgorithm::sha512;
    c.digits = 7;
    c.period = 15;
    Account d = testAccount(u"counter"_s, u"HOTP Co"_s, "hotp-secret", OTPType::hotp, 5);
    Account e = testAccount(u"big counter"_s, u"A:B"_s, "another-secret", OTPType::hotp, 1ull << 40);
    e.digits = 8;
    return {a, b, c, d, e};
}

// Equal except for the identity and creation instant, which most formats do not carry.
Account credential(Account account)
{
    account.id = QUuid();
    account.createdAt = Instant{};
    return account;
}

QList<Account> credentials(const QList<Account>& accounts)
{
    QList<Account> out;
    for (const Account& account : accounts)
        out.append(credential(account));
    return out;
}

ImportedAccounts readOk(const QByteArray& bytes, const std::optional<QString>& password = std::nullopt)
{
    Result<ImportedAccounts, ImportFailure> result = readBackup(bytes, password);
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : importFailureMessage(result.error()).toStdString());
    return result.ok() ? result.value() : ImportedAccounts{};
}

std::optional<ImportErrorKind> failureOf(const QByteArray& bytes, const std::optional<QString>& password)
{
    Result<ImportedAccounts, ImportFailure> result = readBackup(bytes, password);
    return result.ok() ? std::nullopt : std::optional(result.error().kind);
}

std::string utf8(const QString& text)
{
    return text.toStdString();
}

QByteArray sealed(const QByteArray& key, const QByteArray& nonce, const QByteArray& plain)
{
    const std::optional<BackupCrypto::Sealed> out = BackupCrypto::sealAesGcm(key, nonce, plain);
    return out->ciphertext + out->tag;
}

// Other apps' files, written the way those apps write them, from the known accounts.
json andOtpEntries(const QList<Account>& accounts)
{
    json entries = json::array();
    for (const Account& a : accounts)
        entries.push_back({{"secret", utf8(encodeBase32(a.secret))},
                           {"issuer", utf8(a.issuer)},
                           {"label", utf8(a.name)},
                           {"digits", a.digits},
                           {"type", utf8(rawValue(a.type).toUpper())},
                           {"algorithm", utf8(rawValue(a.algorithm))},
                           {"period", a.period},
                           {"counter", a.counter},
                           {"thumbnail", "Default"},
                           {"tags", json::array()}});
    return entries;
}

QByteArray andOtpEncrypted(const QByteArray& plain, const QString& password)
{
    QByteArray out(4, '\0');
    qToBigEndian<std::uint32_t>(1200, out.data());
    const QByteArray salt = BackupCrypto::randomBytes(12);
    const QByteArray nonce = BackupCrypto::randomBytes(12);
    const QByteArray key =
        *BackupCrypto::pbkdf2(password.toUtf8(), salt, 1200, BackupCrypto::PbkdfHash::sha1, 32);
    return out + salt + nonce + sealed(key, nonce, plain);
}

json twoFasServices(const QList<Account>& accounts)
{
    json services = json::array();
    for (const Account& a : accounts)
        services.push_back({{"name", utf8(a.issuer)},
                            {"secret", utf8(encodeBase32(a.secret))},
                            {"otp",
                             {{"account", utf8(a.name)},
                              {"digits", a.digits},
                              {"period", a.period},
                              {"algorithm", utf8(rawValue(a.algorithm))},
                              {"counter", a.counter},
                              {"tokenType", utf8(rawValue(a.type).toUpper())},
                              {"source", "Link"}}},
                            {"order", {{"position", 0}}}});
    return services;
}

QByteArray twoFasEncrypted(const json& services, const QString& password)
{
    const QByteArray salt = BackupCrypto::randomBytes(256);
    const QByteArray nonce = BackupCrypto::randomBytes(12);
    const QByteArray key =
        *BackupCrypto::pbkdf2(password.toUtf8(), salt, 10000, BackupCrypto::PbkdfHash::sha256, 32);
    const QByteArray field = sealed(key, nonce, QByteArray::fromStdString(services.dump())).toBase64() + ':' +
                             salt.toBase64() + ':' + nonce.toBase64();
    return QByteArray::fromStdString(json{
        {"services", json::array()},
        {"servicesEncrypted", field.toStdString()},
        {"schemaVersion", 4}}.dump());
}

json freeOtpTokens(const QList<Account>& accounts)
{
    json tokens = json::array();
    for (const Account& a : accounts) {
        json secret = json::array();
        for (const char byte : a.secret)
            secret.push_back(static_cast<int>(static_cast<signed char>(byte)));
        tokens.push_back({{"algo", utf8(rawValue(a.algorithm))},
                          {"counter", a.counter},
                          {"digits", a.digits},
                          {"issuerExt", utf8(a.issuer)},
                          {"label", utf8(a.name)},
                          {"period", a.period},
                          {"secret", secret},
                          {"type", utf8(rawValue(a.type).toUpper())}});
    }
    return json{{"tokenOrder", json::array()}, {"tokens", tokens}};
}

json bitwardenItems(const QList<Account>& accounts)
{
    json items =
        json::array({{{"type", 1}, {"name", "No OTP"}, {"login", {{"username", "x"}, {"totp", nullptr}}}}});
    for (const Account& a : accounts)
        items.push_back({{"type", 1},
                         {"name", utf8(a.issuer)},
                         {"login", {{"username", utf8(a.name)}, {"totp", utf8(otpauthLink(a))}}}});
    return json{{"encrypted", false}, {"folders", json::array()}, {"items", items}};
}

json protonEntries(const QList<Account>& accounts)
{
    json entries = json::array();
    for (const Account& a : accounts)
        entries.push_back(
            {{"id", "x"},
             {"content", {{"uri", utf8(otpauthLink(a))}, {"entry_type", "Totp"}, {"name", utf8(a.name)}}},
             {"note", nullptr}});
    return json{{"version", 1}, {"entries", entries}};
}

QByteArray bytesOf(const json& document)
{
    return QByteArray::fromStdString(document.dump());
}

TEST(BackupFormats, EveryFormatReadsTheKnownAccounts)
{
    const QList<Account> known = knownAccounts();
    const QString password = u"pässword"_s;
    const struct
    {
        const char* format;
        QByteArray file;
        std::optional<QString> password;
    } cases[] = {
        {"otpauth links (Ente Auth text)", otpauthLinkList(known).toUtf8(), {}},
        {"aegis plain", AegisVault::write(known, std::nullopt), {}},
        {"aegis encrypted", AegisVault::write(known, password, cheap), password},
        {"andOTP plain", bytesOf(andOtpEntries(known)), {}},
        {"andOTP encrypted", andOtpEncrypted(bytesOf(andOtpEntries(known)), password), password},
        {"2FAS plain", bytesOf(json{{"services", twoFasServices(known)}, {"schemaVersion", 4}}), {}},
        {"2FAS encrypted", twoFasEncrypted(twoFasServices(known), password), password},
        {"FreeOTP+", bytesOf(freeOtpTokens(known)), {}},
        {"Bitwarden", bytesOf(bitwardenItems(known)), {}},
        {"Proton", bytesOf(protonEntries(known)), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format);
        const ImportedAccounts imported = readOk(c.file, c.password);
        EXPECT_TRUE(imported.skipped.isEmpty());
        EXPECT_EQ(credentials(imported.accounts), credentials(known));
    }
}

TEST(BackupFormats, OwnBackupRestoresIdsAndCreationTimesAtTheDefaultCost)
{
    const QList<Account> known = knownAccounts();
    const QByteArray vault = AegisVault::write(known, u"secret"_s);
    EXPECT_NE(vault.indexOf("\"n\": 32768"), -1);
    EXPECT_EQ(readOk(vault, u"secret"_s).accounts, known);
    EXPECT_EQ(readOk(AegisVault::write(known, std::nullopt)).accounts, known);
}

TEST(BackupFormats, PasswordsAndBrokenFilesImportNothingAndSayWhy)
{
    const QList<Account> known = knownAccounts();
    const QByteArray aegis = AegisVault::write(known, u"right"_s, cheap);
    const QByteArray twoFas = twoFasEncrypted(twoFasServices(known), u"right"_s);
    const QByteArray andOtp = andOtpEncrypted(bytesOf(andOtpEntries(known)), u"right"_s);
    using K = ImportErrorKind;
    const struct
    {
        const char* what;
        QByteArray file;
        std::optional<QString> password;
        K expected;
    } cases[] = {
        {"aegis without password", aegis, {}, K::passwordRequired},
        {"aegis wrong password", aegis, u"wrong"_s, K::wrongPassword},
        {"2FAS wrong password", twoFas, u"wrong"_s, K::wrongPassword},
        {"andOTP without password", andOtp, {}, K::passwordRequired},
        {"andOTP wrong password", andOtp, u"wrong"_s, K::wrongPassword},
        {"aegis cut short", aegis.left(aegis.size() / 2), u"right"_s, K::brokenFile},
        {"andOTP tag altered", andOtp.left(andOtp.size() - 1) + 'x', u"right"_s, K::wrongPassword},
        {"aegis db altered", QByteArray(aegis).replace("\"db\": \"", "\"db\": \"AAAA"), u"right"_s,
         K::brokenFile},
        {"aegis absurd scrypt cost", QByteArray(aegis).replace("\"n\": 1024", "\"n\": 4294967296"),
         u"right"_s, K::brokenFile},
        {"link list with a bad line",
         "otpauth://totp/a?secret=JBSWY3DP\n\notpauth://totp/b?secret=1",
         {},
         K::brokenFile},
        {"garbage", QByteArray("\x89PNG\r\n\x1a\n garbage", 17), {}, K::unknownFormat},
        {"unrelated JSON", R"({"hello": "world"})", {}, K::unknownFormat},
        {"encrypted Bitwarden", R"({"encrypted": true, "items": []})", {}, K::brokenFile},
        {"empty", "", {}, K::unknownFormat},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(failureOf(c.file, c.password), c.expected);
    }
    const Result<ImportedAccounts, ImportFailure> badLine =
        readBackup("otpauth://totp/a?secret=JBSWY3DP\n\notpauth://totp/b?secret=1");
    EXPECT_EQ(importFailureMessage(badLine.error()),
              u"Nothing imported: line 3: Could not decode secret (Base32)."_s);
    EXPECT_EQ(importFailureMessage(readBackup(aegis, u"x"_s).error()),
              u"Wrong password for this Aegis vault; nothing was imported."_s);
}

TEST(BackupFormats, UnsupportedEntriesAreSkippedByName)
{
    const json vault = {
        {"version", 1},
        {"header", {{"slots", nullptr}, {"params", nullptr}}},
        {"db",
         {{"version", 2},
          {"entries",
           {{{"type", "totp"},
             {"name", "alice"},
             {"issuer", "Bank"},
             {"info", {{"secret", "JBSWY3DPEHPK3PXP"}, {"algo", "SHA1"}, {"digits", 6}, {"period", 30}}}},
            {{"type", "steam"},
             {"name", "Boeing:Sophia"},
             {"issuer", "Steam"},
             {"info", {{"secret", "JBSWY3DPEHPK3PXP"}, {"algo", "SHA1"}, {"digits", 5}}}},
            {{"type", "totp"},
             {"name", "md5"},
             {"issuer", ""},
             {"info", {{"secret", "JBSWY3DPEHPK3PXP"}, {"algo", "MD5"}, {"digits", 6}}}}}}}}};
    const ImportedAccounts imported = readOk(bytesOf(vault));
    ASSERT_EQ(imported.accounts.size(), 1);
    EXPECT_EQ(importSummary(12, 0, imported.skipped.mid(0, 1)),
              u"Imported 12 accounts; skipped 1: Steam (Boeing:Sophia), not supported"_s);
    EXPECT_EQ(
        importSummary(1, 2, imported.skipped),
        u"Imported 1 account (2 already present); skipped 2: Steam (Boeing:Sophia), not supported; md5, "
        u"algorithm MD5 not supported"_s);
}

TEST(BackupFormats, ExportedLinksArePlainAscii)
{
    for (const Account& account : knownAccounts()) {
        const QString link = otpauthLink(account);
        for (const QChar c : link)
            EXPECT_TRUE(c.unicode() > 32 && c.unicode() < 127) << link.toStdString();
    }
    EXPECT_EQ(
        otpauthLink(knownAccounts()[1]),
        u"otpauth://totp/B%C3%A4nk%20Z%C3%BCrich:Zo%C3%AB%20%E9%8A%80%E8%A1%8C?secret="
        u"AEAQCAIBAEAQCAIBAEAQCAIBAEAQCAIBAEAQCAIBAEAQCAIBAEAQ&issuer=B%C3%A4nk%20Z%C3%BCrich&algorithm=SHA256&digits=8&period=60"_s);
    EXPECT_EQ(otpauthLink(knownAccounts()[2]).section(u'?', 0, 0), u"otpauth://totp/100%2525%20%26%20more"_s);
}

TEST(BackupFormats, MigrationLinksCarryBatchesAndLeaveOutWhatTheyCannotHold)
{
    QList<Account> accounts;
    for (int i = 0; i < 23; ++i)
        accounts.append(testAccount(u"user %1"_s.arg(i), u"Issuer"_s, QByteArray(20, static_cast<char>(i))));
    accounts += knownAccounts(); // 60 s and 15 s periods and 7 digits cannot travel
    const MigrationExport exported = migrationLinks(accounts, 42);
    ASSERT_EQ(exported.links.size(), 3);
    QList<Account> decoded;
    for (const QString& link : exported.links)
        decoded += OTPAuth::parseMigration(link).value();
    QList<Account> expected = credentials(accounts);
    expected.removeAt(24); // period 60
    expected.removeAt(24); // period 15, 7 digits
    EXPECT_EQ(credentials(decoded), expected);
    ASSERT_EQ(exported.leftOut.size(), 2);
    EXPECT_EQ(exported.leftOut[0].label, u"Bänk Zürich (Zoë 銀行)"_s);
    EXPECT_EQ(exported.leftOut[0].reason, u"period 60 s cannot be exported in this format"_s);
    // batch size 3, index 2, id 42 close the last payload
    const QByteArray last = QByteArray::fromBase64(
        QUrl::fromPercentEncoding(exported.links[2].section(u'=', 1).toLatin1()).toLatin1());
    EXPECT_TRUE(last.endsWith(QByteArray("\x10\x01\x18\x03\x20\x02\x28\x2a", 8)));
}

} // namespace
