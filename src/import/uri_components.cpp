// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/uri_components.h"

#include "import/percent_decoding.h"

namespace OTPAuth {

namespace {

bool isAsciiAlpha(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool isControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029;
}

bool isSchemeCharacter(char16_t c)
{
    return isAsciiAlpha(c) || isAsciiDigit(c) || c == u'+' || c == u'-' || c == u'.';
}

// Index of the first of `stops` in text at or after `from`, or the size of the text.
qsizetype findFirstOf(QStringView text, qsizetype from, QStringView stops)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (stops.contains(text[i]))
            return i;
    }
    return text.size();
}

std::optional<QString> readScheme(QStringView text, qsizetype& position)
{
    if (text.isEmpty() || !isAsciiAlpha(text[0].unicode()))
        return std::nullopt;
    qsizetype i = 1;
    while (i < text.size() && isSchemeCharacter(text[i].unicode()))
        ++i;
    if (i >= text.size() || text[i] != u':')
        return std::nullopt;
    position = i + 1;
    return text.first(i).toString();
}

// A bracketed IPv6 or IPvFuture literal: only the characters those forms use.
bool isValidIpLiteral(QStringView inside)
{
    if (inside.isEmpty())
        return false;
    for (QChar c : inside) {
        const char16_t u = c.unicode();
        const bool allowed =
            isAsciiAlpha(u) || isAsciiDigit(u) || QStringView(u"-._~!$&'()*+,;=:").contains(c);
        if (!allowed)
            return false;
    }
    return true;
}

bool isValidPort(QStringView port)
{
    for (QChar c : port) {
        if (!isAsciiDigit(c.unicode()))
            return false;
    }
    return true;
}

// authority = [ userinfo "@" ] host [ ":" port ]; returns the decoded host.
std::optional<QString> readHost(QStringView authority)
{
    const qsizetype at = authority.indexOf(u'@');
    if (at >= 0) {
        authority = authority.sliced(at + 1);
        if (authority.contains(u'@'))
            return std::nullopt;
    }

    QStringView host;
    QStringView port;
    if (authority.startsWith(u'[')) {
        const qsizetype close = authority.indexOf(u']');
        if (close < 0 || !isValidIpLiteral(authority.sliced(1, close - 1)))
            return std::nullopt;
        host = authority.sliced(1, close - 1);
        const QStringView rest = authority.sliced(close + 1);
        if (!rest.isEmpty()) {
            if (rest[0] != u':')
                return std::nullopt;
            port = rest.sliced(1);
        }
    } else {
        const qsizetype colon = authority.indexOf(u':');
        host = colon < 0 ? authority : authority.first(colon);
        if (colon >= 0)
            port = authority.sliced(colon + 1);
        if (host.contains(u'[') || host.contains(u']'))
            return std::nullopt;
    }
    if (!isValidPort(port))
        return std::nullopt;
    return percentDecode(host);
}

std::optional<QueryItem> readQueryItem(QStringView piece)
{
    const qsizetype equals = piece.indexOf(u'=');
    const std::optional<QString> name = percentDecode(equals < 0 ? piece : piece.first(equals));
    if (!name)
        return std::nullopt;
    if (equals < 0)
        return QueryItem{*name, std::nullopt};
    const std::optional<QString> value = percentDecode(piece.sliced(equals + 1));
    if (!value)
        return std::nullopt;
    return QueryItem{*name, *value};
}

std::optional<QList<QueryItem>> readQuery(QStringView query)
{
    QList<QueryItem> items;
    for (QStringView piece : query.tokenize(u'&')) {
        std::optional<QueryItem> item = readQueryItem(piece);
        if (!item)
            return std::nullopt;
        items.append(std::move(*item));
    }
    return items;
}

} // namespace

std::optional<UriComponents> UriComponents::parse(QStringView text)
{
    for (QChar c : text) {
        if (isControl(c.unicode()))
            return std::nullopt;
    }
    if (!text.isValidUtf16())
        return std::nullopt;

    UriComponents components;
    qsizetype position = 0;
    components.scheme = readScheme(text, position);

    // The fragment never matters here; whatever follows "#" is dropped unread.
    const qsizetype fragment = text.indexOf(u'#', position);
    const QStringView rest = text.sliced(position, (fragment < 0 ? text.size() : fragment) - position);

    qsizetype cursor = 0;
    if (rest.startsWith(u"//")) {
        const qsizetype end = findFirstOf(rest, 2, u"/?");
        components.host = readHost(rest.sliced(2, end - 2));
        if (!components.host)
            return std::nullopt;
        cursor = end;
    }

    const qsizetype pathEnd = findFirstOf(rest, cursor, u"?");
    const QStringView rawPath = rest.sliced(cursor, pathEnd - cursor);
    if (!components.scheme && !components.host) {
        // Without a scheme, a ":" in the first segment would have to be read as one.
        const qsizetype slash = rawPath.indexOf(u'/');
        if (rawPath.first(slash < 0 ? rawPath.size() : slash).contains(u':'))
            return std::nullopt;
    }
    std::optional<QString> path = percentDecode(rawPath);
    if (!path)
        return std::nullopt;
    components.path = std::move(*path);

    if (pathEnd < rest.size()) {
        components.query = readQuery(rest.sliced(pathEnd + 1));
        if (!components.query)
            return std::nullopt;
    }
    return components;
}

} // namespace OTPAuth
