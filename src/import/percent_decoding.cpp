// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/percent_decoding.h"

#include "import/utf8_text.h"

#include <QByteArray>

namespace OTPAuth {

namespace {

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

} // namespace

std::optional<QString> percentDecode(QStringView text)
{
    if (!text.contains(u'%'))
        return text.isValidUtf16() ? std::optional<QString>(text.toString()) : std::nullopt;

    QByteArray bytes;
    bytes.reserve(text.size());
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%')
            continue;
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = hexValue(text[i + 1]);
        const int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        const QStringView run = text.mid(runStart, i - runStart);
        if (!run.isValidUtf16())
            return std::nullopt;
        bytes += run.toUtf8();
        bytes += char(high * 16 + low);
        i += 2;
        runStart = i + 1;
    }
    const QStringView tail = text.mid(runStart);
    if (!tail.isValidUtf16())
        return std::nullopt;
    bytes += tail.toUtf8();
    return decodeUtf8Strictly(bytes);
}

} // namespace OTPAuth
