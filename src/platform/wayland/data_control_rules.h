// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The choices of the data-control clipboard that need no compositor.
namespace DataControl {

inline constexpr const char* extManager = "ext_data_control_manager_v1";
inline constexpr const char* wlrManager = "zwlr_data_control_manager_v1";

enum class Protocol
{
    none,
    ext,
    wlr
};

// The standard protocol where the compositor offers it, else the older wlroots one; `extBuilt`
// says whether this build knows the standard one at all.
Protocol choose(const QStringList& globals, bool extBuilt);

// What a copied code is offered as: the text types that toolkits and terminals ask for, and
// the hint that tells clipboard managers to keep no history of it.
QStringList offeredMimeTypes();
// The bytes to send for `mimeType`, or nothing for a type that was not offered.
std::optional<QByteArray> payload(const QString& mimeType, const QString& text);
// The type to ask another program's selection for, from the types it offers; empty when it
// offers no text.
QString preferredTextType(const QStringList& offered);

} // namespace DataControl
