// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/aegis_vault.h"

#include "core/base32.h"
#include "core/base64.h"
#include "core/rfc3339.h"
#include "core/uuid_text.h"
#include "import/formats/entry_fields.h"
#include "import/formats/json_fields.h"

#include <QUuid>
#include <nlohmann/json.hpp>

using nlohmann::json;

namespace AegisVault {

namespace {

constexpr int passwordSlotType = 1;
// Our own key, so that Aegis ignores it while our restore keeps the creation instant.
constexpr const char* createdKey = "brisvane_created";

ImportFailure broken(const QString& detail)
{
    return ImportFailure{ImportErrorKind::brokenFile,
                         QStringLiteral("the Aegis vault is damaged (%1).").arg(detail)};
}

std::string hex(const QByteArray& bytes)
{
    return bytes.toHex().toStdString();
}

std::optional<QByteArray> hexField(const json& object, const char* key)
{
    return JsonFields::fromHex(JsonFields::text(object, key));
}

EntryFields fieldsOf(const json& entry)
{
    const json& info = JsonFields::member(entry, "info");
    EntryFields fields;
    fields.type = JsonFields::text(entry, "type");
    fields.name = JsonFields::text(entry, "name");
    fields.issuer = JsonFields::text(entry, "issuer");
    fields.secretBase32 = JsonFields::text(info, "secret");
    readCodeParameters(fields, info, "algo");
    if (const std::optional<QUuid> id = parseUUID(JsonFields::text(entry, "uuid")))
        fields.id = *id;
    if (const std::optional<Instant> created =
            parseRFC3339(JsonFields::text(entry, createdKey).toStdString()))
        fields.createdAt = *created;
    return fields;
}

Result<ImportedAccounts, ImportFailure> readDatabase(const json& database)
{
    const json& entries = JsonFields::member(database, "entries");
    if (!entries.is_array())
        return broken(QStringLiteral("no list of entries"));
    ImportedAccounts result;
    result.format = formatName;
    for (const json& entry : entries) {
        if (!entry.is_object())
            return broken(QStringLiteral("an entry is not an object"));
        collectEntry(result, fieldsOf(entry));
    }
    return result;
}

// The master key from the first password slot the password opens.
Result<QByteArray, ImportFailure> unwrapMasterKey(const json& slots, const QByteArray& password)
{
    bool sawPasswordSlot = false;
    for (const json& slot : slots) {
        if (JsonFields::integer(slot, "type", -1) != passwordSlotType)
            continue;
        sawPasswordSlot = true;
        const std::optional<QByteArray> salt = hexField(slot, "salt");
        const std::optional<QByteArray> wrapped = hexField(slot, "key");
        const json& keyParams = JsonFields::member(slot, "key_params");
        const std::optional<QByteArray> nonce = hexField(keyParams, "nonce");
        const std::optional<QByteArray> tag = hexField(keyParams, "tag");
        if (!salt || !wrapped || !nonce || !tag)
            return broken(QStringLiteral("a password slot is incomplete"));
        const BackupCrypto::ScryptCost cost{JsonFields::unsignedInteger(slot, "n", 0),
                                            JsonFields::unsignedInteger(slot, "r", 0),
                                            JsonFields::unsignedInteger(slot, "p", 0)};
        const std::optional<QByteArray> slotKey = BackupCrypto::scrypt(password, *salt, cost, 32);
        if (!slotKey)
            return broken(QStringLiteral("unusable key derivation parameters"));
        if (std::optional<QByteArray> master = BackupCrypto::openAesGcm(*slotKey, *nonce, *wrapped, *tag))
            return *master;
    }
    if (!sawPasswordSlot)
        return broken(QStringLiteral("no password slot"));
    return ImportFailure{ImportErrorKind::wrongPassword, formatName};
}

json entryObject(const Account& account)
{
    json info = {{"secret", encodeBase32(account.secret).toStdString()},
                 {"algo", rawValue(account.algorithm).toStdString()},
                 {"digits", account.digits},
                 {"period", account.period},
                 {"counter", account.counter}};
    json entry = {{"type", rawValue(account.type).toStdString()},
                  {"uuid", uuidText(account.id).toLower().toStdString()},
                  {"name", account.name.toStdString()},
                  {"issuer", account.issuer.toStdString()},
                  {"note", ""},
                  {"favorite", false},
                  {"icon", nullptr},
                  {"info", info}};
    if (const std::optional<QString> created = formatRFC3339(account.createdAt))
        entry[createdKey] = created->toStdString();
    return entry;
}

} // namespace

bool looksLike(const json& document)
{
    return document.is_object() && document.contains("header") && document.contains("db");
}

Result<ImportedAccounts, ImportFailure> read(const json& document, const std::optional<QString>& password)
{
    const json& database = JsonFields::member(document, "db");
    if (database.is_object())
        return readDatabase(database);
    if (!database.is_string())
        return broken(QStringLiteral("no entries"));
    if (!password)
        return ImportFailure{ImportErrorKind::passwordRequired, formatName};
    const json& header = JsonFields::member(document, "header");
    const json& slots = JsonFields::member(header, "slots");
    if (!slots.is_array())
        return broken(QStringLiteral("no key slots"));
    Result<QByteArray, ImportFailure> master = unwrapMasterKey(slots, password->toUtf8());
    if (!master)
        return master.error();
    const json& params = JsonFields::member(header, "params");
    const std::optional<QByteArray> nonce = hexField(params, "nonce");
    const std::optional<QByteArray> tag = hexField(params, "tag");
    const std::optional<QByteArray> ciphertext = decodeBase64Strict(database.get<std::string>());
    if (!nonce || !tag || !ciphertext)
        return broken(QStringLiteral("the encrypted entries are unreadable"));
    const std::optional<QByteArray> plain =
        BackupCrypto::openAesGcm(master.value(), *nonce, *ciphertext, *tag);
    if (!plain)
        return broken(QStringLiteral("the entries do not match their key"));
    const std::optional<json> inner = JsonFields::parse(*plain);
    if (!inner)
        return broken(QStringLiteral("the decrypted entries are not JSON"));
    return readDatabase(*inner);
}

QByteArray write(const QList<Account>& accounts, const std::optional<QString>& password,
                 const BackupCrypto::ScryptCost& cost)
{
    json entries = json::array();
    for (const Account& account : accounts)
        entries.push_back(entryObject(account));
    const json database = {{"version", 2}, {"entries", entries}};
    if (!password) {
        const json vault = {
            {"version", 1}, {"header", {{"slots", nullptr}, {"params", nullptr}}}, {"db", database}};
        return JsonFields::dump(vault);
    }
    const QByteArray masterKey = BackupCrypto::randomBytes(32);
    const QByteArray salt = BackupCrypto::randomBytes(32);
    const QByteArray slotNonce = BackupCrypto::randomBytes(12);
    const QByteArray dbNonce = BackupCrypto::randomBytes(12);
    const std::optional<QByteArray> slotKey = BackupCrypto::scrypt(password->toUtf8(), salt, cost, 32);
    const std::optional<BackupCrypto::Sealed> wrapped =
        slotKey ? BackupCrypto::sealAesGcm(*slotKey, slotNonce, masterKey) : std::nullopt;
    const std::optional<BackupCrypto::Sealed> sealed =
        BackupCrypto::sealAesGcm(masterKey, dbNonce, QByteArray::fromStdString(database.dump()));
    if (!wrapped || !sealed)
        qFatal("Encrypting a backup failed inside OpenSSL");
    const json slot = {{"type", passwordSlotType},
                       {"uuid", uuidText(QUuid::createUuid()).toLower().toStdString()},
                       {"key", hex(wrapped->ciphertext)},
                       {"key_params", {{"nonce", hex(slotNonce)}, {"tag", hex(wrapped->tag)}}},
                       {"n", cost.n},
                       {"r", cost.r},
                       {"p", cost.p},
                       {"salt", hex(salt)},
                       {"repaired", true},
                       {"is_backup", false}};
    const json vault = {
        {"version", 1},
        {"header",
         {{"slots", json::array({slot})}, {"params", {{"nonce", hex(dbNonce)}, {"tag", hex(sealed->tag)}}}}},
        {"db", sealed->ciphertext.toBase64().toStdString()}};
    return JsonFields::dump(vault);
}

} // namespace AegisVault
