// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/utf8_text.h"

#include <QStringDecoder>

namespace OTPAuth {

std::optional<QString> decodeUtf8Strictly(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace OTPAuth
