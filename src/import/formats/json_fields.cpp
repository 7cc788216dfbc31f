// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/json_fields.h"

namespace JsonFields {

namespace {

const nlohmann::json nullValue;

} // namespace

const nlohmann::json& member(const nlohmann::json& object, const char* key)
{
    if (!object.is_object())
        return nullValue;
    const auto found = object.find(key);
    return found == object.end() ? nullValue : *found;
}

QString text(const nlohmann::json& object, const char* key)
{
    const nlohmann::json& value = member(object, key);
    if (!value.is_string())
        return {};
    return QString::fromStdString(value.get<std::string>());
}

std::int64_t integer(const nlohmann::json& object, const char* key, std::int64_t fallback)
{
    const nlohmann::json& value = member(object, key);
    if (value.is_number_integer())
        return value.get<std::int64_t>();
    if (value.is_string()) {
        bool ok = false;
        const qlonglong parsed = QString::fromStdString(value.get<std::string>()).toLongLong(&ok);
        return ok ? parsed : fallback;
    }
    return fallback;
}

std::uint64_t unsignedInteger(const nlohmann::json& object, const char* key, std::uint64_t fallback)
{
    const nlohmann::json& value = member(object, key);
    if (value.is_number_unsigned())
        return value.get<std::uint64_t>();
    if (value.is_number_integer())
        return value.get<std::int64_t>() < 0 ? fallback : value.get<std::uint64_t>();
    return fallback;
}

std::optional<nlohmann::json> parse(const QByteArray& bytes)
{
    nlohmann::json document = nlohmann::json::parse(bytes.constBegin(), bytes.constEnd(), nullptr, false);
    if (document.is_discarded())
        return std::nullopt;
    return document;
}

QByteArray dump(const nlohmann::json& document)
{
    return QByteArray::fromStdString(document.dump(4, ' ', false, nlohmann::json::error_handler_t::replace));
}

std::optional<QByteArray> fromHex(const QString& text)
{
    if (text.size() % 2 != 0)
        return std::nullopt;
    for (const QChar c : text) {
        const char16_t u = c.toLower().unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f')))
            return std::nullopt;
    }
    return QByteArray::fromHex(text.toLatin1());
}

} // namespace JsonFields
