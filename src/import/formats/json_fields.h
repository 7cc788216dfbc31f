// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>

// Lenient field access for other apps' JSON: a missing key or a value of another type reads
// as the fallback, so one odd entry cannot make a whole backup unreadable.
namespace JsonFields {

QString text(const nlohmann::json& object, const char* key);
std::int64_t integer(const nlohmann::json& object, const char* key, std::int64_t fallback);
std::uint64_t unsignedInteger(const nlohmann::json& object, const char* key, std::uint64_t fallback);
// The member when it exists and has the wanted kind; a null json otherwise.
const nlohmann::json& member(const nlohmann::json& object, const char* key);

// A parsed document, or absent when the bytes are not JSON.
std::optional<nlohmann::json> parse(const QByteArray& bytes);
QByteArray dump(const nlohmann::json& document);

std::optional<QByteArray> fromHex(const QString& text);

} // namespace JsonFields
