// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/account_json.h"

#include "core/base64.h"
#include "core/rfc3339.h"
#include "core/uuid_text.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

std::string utf8(const QString& text)
{
    return text.toStdString();
}

// Compact text with every "/" written as "\/". A slash can only occur inside strings,
// so a plain substitution over the whole text is exact.
std::optional<QByteArray> dumpEscapingSlashes(const json& document)
{
    std::string text;
    try {
        text = document.dump(-1, ' ', false, json::error_handler_t::strict);
    } catch (const json::exception&) {
        return std::nullopt;
    }
    QByteArray out;
    out.reserve(static_cast<qsizetype>(text.size()) + 8);
    for (char c : text) {
        if (c == '/')
            out.append('\\');
        out.append(c);
    }
    return out;
}

std::optional<json> parseDocument(const QByteArray& bytes)
{
    json document = json::parse(bytes.constBegin(), bytes.constEnd(), nullptr, false);
    if (document.is_discarded())
        return std::nullopt;
    return document;
}

std::optional<json> accountObject(const Account& account)
{
    const std::optional<QString> createdAt = formatRFC3339(account.createdAt);
    if (!createdAt)
        return std::nullopt;
    return json{
        {"id", utf8(uuidText(account.id))},
        {"name", utf8(account.name)},
        {"issuer", utf8(account.issuer)},
        {"secret", account.secret.toBase64().toStdString()},
        {"type", utf8(rawValue(account.type))},
        {"algorithm", utf8(rawValue(account.algorithm))},
        {"digits", account.digits},
        {"period", account.period},
        {"counter", account.counter},
        {"createdAt", utf8(*createdAt)},
    };
}

const std::string* stringAt(const json& object, const char* key)
{
    const auto it = object.find(key);
    if (it == object.end() || !it->is_string())
        return nullptr;
    return it->get_ptr<const std::string*>();
}

// A whole number written in float notation ("6.0", "3e1"), as some tools write every number.
// Only where a double holds every whole number exactly: beyond 2^53 the text may have named
// another value (an integer too large for 64 bits also arrives here, rounded).
std::optional<std::int64_t> wholeFloat(const json& value)
{
    if (!value.is_number_float())
        return std::nullopt;
    const double number = value.get<double>();
    constexpr double exactLimit = 9007199254740992.0; // 2^53
    if (!std::isfinite(number) || std::trunc(number) != number || std::fabs(number) >= exactLimit)
        return std::nullopt;
    return static_cast<std::int64_t>(number);
}

std::optional<std::int64_t> signedAt(const json& object, const char* key)
{
    const auto it = object.find(key);
    if (it == object.end())
        return std::nullopt;
    if (it->is_number_float())
        return wholeFloat(*it);
    if (it->is_number_unsigned()) {
        const auto value = it->get<std::uint64_t>();
        if (value > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return std::nullopt;
        return static_cast<std::int64_t>(value);
    }
    if (it->is_number_integer())
        return it->get<std::int64_t>();
    return std::nullopt;
}

std::optional<std::uint64_t> unsignedAt(const json& object, const char* key)
{
    const auto it = object.find(key);
    if (it == object.end())
        return std::nullopt;
    if (it->is_number_float()) {
        const std::optional<std::int64_t> number = wholeFloat(*it);
        if (!number || *number < 0)
            return std::nullopt;
        return static_cast<std::uint64_t>(*number);
    }
    if (it->is_number_unsigned())
        return it->get<std::uint64_t>();
    if (it->is_number_integer()) {
        const auto value = it->get<std::int64_t>();
        if (value < 0)
            return std::nullopt;
        return static_cast<std::uint64_t>(value);
    }
    return std::nullopt;
}

std::optional<Account> accountFromObject(const json& object)
{
    if (!object.is_object())
        return std::nullopt;
    const std::string* id = stringAt(object, "id");
    const std::string* name = stringAt(object, "name");
    const std::string* issuer = stringAt(object, "issuer");
    const std::string* secret = stringAt(object, "secret");
    const std::string* type = stringAt(object, "type");
    const std::string* algorithm = stringAt(object, "algorithm");
    const std::string* createdAt = stringAt(object, "createdAt");
    if (!id || !name || !issuer || !secret || !type || !algorithm || !createdAt)
        return std::nullopt;

    const auto uuid = parseUUID(QString::fromStdString(*id));
    const auto secretBytes = decodeBase64Strict(*secret);
    const auto otpType = otpTypeFromRawValue(QString::fromStdString(*type));
    const auto hash = hashAlgorithmFromRawValue(QString::fromStdString(*algorithm));
    const auto digits = signedAt(object, "digits");
    const auto period = signedAt(object, "period");
    const auto counter = unsignedAt(object, "counter");
    const auto created = parseRFC3339(*createdAt);
    if (!uuid || !secretBytes || !otpType || !hash || !digits || !period || !counter || !created)
        return std::nullopt;

    return Account{*uuid,
                   QString::fromStdString(*name),
                   QString::fromStdString(*issuer),
                   *secretBytes,
                   *otpType,
                   *hash,
                   *digits,
                   *period,
                   *counter,
                   *created};
}

} // namespace

std::optional<QByteArray> encodeAccount(const Account& account)
{
    const std::optional<json> object = accountObject(account);
    if (!object)
        return std::nullopt;
    return dumpEscapingSlashes(*object);
}

std::optional<Account> decodeAccount(const QByteArray& bytes)
{
    const std::optional<json> document = parseDocument(bytes);
    if (!document)
        return std::nullopt;
    return accountFromObject(*document);
}

std::optional<QByteArray> encodeAccountList(const QList<Account>& accounts)
{
    json array = json::array();
    for (const Account& account : accounts) {
        std::optional<json> object = accountObject(account);
        if (!object)
            return std::nullopt;
        array.push_back(std::move(*object));
    }
    return dumpEscapingSlashes(array);
}

std::optional<QList<Account>> decodeAccountList(const QByteArray& bytes)
{
    const std::optional<json> document = parseDocument(bytes);
    if (!document || !document->is_array())
        return std::nullopt;
    QList<Account> accounts;
    accounts.reserve(static_cast<qsizetype>(document->size()));
    for (const json& element : *document) {
        std::optional<Account> account = accountFromObject(element);
        if (!account)
            return std::nullopt;
        accounts.append(std::move(*account));
    }
    return accounts;
}

QByteArray encodeUUIDList(const QList<QUuid>& ids)
{
    json array = json::array();
    for (const QUuid& id : ids)
        array.push_back(utf8(uuidText(id)));
    return QByteArray::fromStdString(array.dump());
}

std::optional<QList<QUuid>> decodeUUIDList(const QByteArray& bytes)
{
    const std::optional<json> document = parseDocument(bytes);
    if (!document || !document->is_array())
        return std::nullopt;
    QList<QUuid> ids;
    for (const json& element : *document) {
        if (!element.is_string())
            return std::nullopt;
        const auto id = parseUUID(QString::fromStdString(element.get<std::string>()));
        if (!id)
            return std::nullopt;
        ids.append(*id);
    }
    return ids;
}
