// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/hot_key_binding_json.h"

#include "core/uuid_text.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <utility>

namespace {

using Json = nlohmann::json;

const Json* member(const Json& object, const char* key)
{
    const auto it = object.find(key);
    if (it == object.end() || it->is_null())
        return nullptr;
    return &*it;
}

std::optional<QUuid> readUUID(const Json& value)
{
    if (!value.is_string())
        return std::nullopt;
    return parseUUID(QString::fromStdString(value.get_ref<const std::string&>()));
}

// JSON has one number type: 5 and 5.0 are the same value; 5.5, -1 and 2^32 are not key codes.
std::optional<std::uint32_t> readUInt32(const Json& value)
{
    constexpr auto maximum = std::numeric_limits<std::uint32_t>::max();
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > maximum)
            return std::nullopt;
        return static_cast<std::uint32_t>(number);
    }
    if (value.is_number_float()) {
        const auto number = value.get<double>();
        if (!std::isfinite(number) || number < 0 || number > maximum || std::trunc(number) != number)
            return std::nullopt;
        return static_cast<std::uint32_t>(number);
    }
    return std::nullopt; // negative integers, strings, booleans, ...
}

std::optional<HotKeyBinding> decodeBinding(const Json& object)
{
    if (!object.is_object())
        return std::nullopt;
    HotKeyBinding binding;

    if (const Json* id = member(object, "id")) {
        const auto parsed = readUUID(*id);
        if (!parsed)
            return std::nullopt;
        binding.id = *parsed;
    } else {
        binding.id = QUuid::createUuid();
    }
    if (const Json* accountID = member(object, "accountID")) {
        binding.accountID = readUUID(*accountID);
        if (!binding.accountID)
            return std::nullopt;
    }
    for (auto [key, field] :
         {std::pair{"keyCode", &binding.keyCode}, std::pair{"modifiers", &binding.modifiers}}) {
        if (const Json* value = member(object, key)) {
            const auto number = readUInt32(*value);
            if (!number)
                return std::nullopt;
            *field = *number;
        }
    }
    for (auto [key, field] :
         {std::pair{"enabled", &binding.enabled}, std::pair{"autoPaste", &binding.autoPaste}}) {
        if (const Json* value = member(object, key)) {
            if (!value->is_boolean())
                return std::nullopt;
            *field = value->get<bool>();
        }
    }
    return binding;
}

std::string text(const QUuid& id)
{
    return uuidText(id).toStdString();
}

} // namespace

QByteArray encodeHotKeyBindingList(const QList<HotKeyBinding>& bindings)
{
    auto array = nlohmann::ordered_json::array();
    for (const HotKeyBinding& binding : bindings) {
        nlohmann::ordered_json object;
        object["id"] = text(binding.id);
        if (binding.accountID)
            object["accountID"] = text(*binding.accountID);
        object["keyCode"] = binding.keyCode;
        object["modifiers"] = binding.modifiers;
        object["enabled"] = binding.enabled;
        object["autoPaste"] = binding.autoPaste;
        array.push_back(std::move(object));
    }
    return QByteArray::fromStdString(array.dump(-1, ' ', false, Json::error_handler_t::replace));
}

std::optional<QList<HotKeyBinding>> decodeHotKeyBindingList(const QByteArray& json)
{
    const Json document = Json::parse(json.cbegin(), json.cend(), nullptr, false);
    if (document.is_discarded() || !document.is_array())
        return std::nullopt;
    QList<HotKeyBinding> bindings;
    bindings.reserve(static_cast<qsizetype>(document.size()));
    for (const Json& element : document) {
        auto binding = decodeBinding(element);
        if (!binding)
            return std::nullopt;
        bindings.append(*binding);
    }
    return bindings;
}
