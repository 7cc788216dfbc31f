// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/otpauth_label.h"

#include "import/percent_decoding.h"

namespace OTPAuth {

namespace {

// Tabs and space separators only: a line break at the edge of a label is not padding.
bool isLabelPadding(QChar c)
{
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

QString trimmedLabelPart(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isLabelPadding(text[begin]))
        ++begin;
    while (end > begin && isLabelPadding(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin).toString();
}

} // namespace

OtpauthLabel OtpauthLabel::fromDecodedPath(const QString& path)
{
    QStringView label = path;
    if (label.startsWith(u'/'))
        label = label.sliced(1);
    const QString decoded = percentDecode(label).value_or(label.toString());

    const qsizetype colon = decoded.indexOf(u':');
    if (colon < 0)
        return OtpauthLabel{QString(), decoded};
    return OtpauthLabel{trimmedLabelPart(QStringView(decoded).first(colon)),
                        trimmedLabelPart(QStringView(decoded).sliced(colon + 1))};
}

} // namespace OTPAuth
