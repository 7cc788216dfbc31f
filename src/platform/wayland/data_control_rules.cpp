// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/wayland/data_control_rules.h"

namespace DataControl {

namespace {

const QString passwordManagerHint = QStringLiteral("x-kde-passwordManagerHint");

// Best first: only the first two promise UTF-8, the X11 names come from XWayland clients.
const QStringList textTypes{QStringLiteral("text/plain;charset=utf-8"), QStringLiteral("UTF8_STRING"),
                            QStringLiteral("text/plain"), QStringLiteral("STRING"), QStringLiteral("TEXT")};

} // namespace

Protocol choose(const QStringList& globals, bool extBuilt)
{
    if (extBuilt && globals.contains(QLatin1String(extManager)))
        return Protocol::ext;
    if (globals.contains(QLatin1String(wlrManager)))
        return Protocol::wlr;
    return Protocol::none;
}

QStringList offeredMimeTypes()
{
    return textTypes + QStringList{passwordManagerHint};
}

std::optional<QByteArray> payload(const QString& mimeType, const QString& text)
{
    if (mimeType == passwordManagerHint)
        return QByteArrayLiteral("secret");
    if (textTypes.contains(mimeType))
        return text.toUtf8();
    return std::nullopt;
}

QString preferredTextType(const QStringList& offered)
{
    for (const QString& type : textTypes) {
        if (offered.contains(type))
            return type;
    }
    return {};
}

} // namespace DataControl
