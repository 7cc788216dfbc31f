// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/xdg/desktop_entry_text.h"

#include <QStringView>

namespace {

bool needsQuoting(QChar c)
{
    static const QString reserved = QStringLiteral(" \t\"'\\><~|&;$*?#()`");
    return reserved.contains(c);
}

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

// Inside double quotes these four keep a backslash before them.
bool escapedInQuotes(QChar c)
{
    return c == u'"' || c == u'`' || c == u'$' || c == u'\\';
}

std::optional<QString> fieldValue(const QString& entryText, QStringView key)
{
    bool inMainGroup = false;
    std::optional<QString> value;
    for (const QString& rawLine : entryText.split(u'\n')) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(u'[')) {
            inMainGroup = line == u"[Desktop Entry]";
            continue;
        }
        if (!inMainGroup || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || QStringView(line).left(equals).trimmed() != key)
            continue;
        value = line.mid(equals + 1).trimmed();
    }
    return value;
}

} // namespace

std::optional<QString> execArgument(const QString& argument)
{
    bool quote = argument.isEmpty();
    QString body;
    for (const QChar c : argument) {
        if (isControl(c) && c != u'\t')
            return std::nullopt;
        if (needsQuoting(c))
            quote = true;
        if (escapedInQuotes(c))
            body += u'\\';
        body += c;
        // A lone percent sign would start a field code.
        if (c == u'%')
            body += u'%';
    }
    QString exec = quote ? u'"' + body + u'"' : argument;
    if (!quote)
        exec.replace(u'%', QStringLiteral("%%"));
    // The file format's own string escapes apply to the whole value.
    exec.replace(u'\\', QStringLiteral("\\\\"));
    exec.replace(u'\t', QStringLiteral("\\t"));
    return exec;
}

std::optional<QString> autostartEntryText(const QString& program, const QStringList& arguments)
{
    QStringList exec;
    for (const QString& part : QStringList{program} + arguments) {
        const std::optional<QString> written = execArgument(part);
        if (!written)
            return std::nullopt;
        exec.append(*written);
    }
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Brisvane\n"
                          "Comment=Codes and global hotkeys from the tray\n"
                          "Exec=%1\n"
                          "Icon=org.brisvane.Brisvane\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(exec.join(u' '));
}

bool switchesEntryOff(const QString& entryText)
{
    return fieldValue(entryText, u"Hidden") == u"true" ||
           fieldValue(entryText, u"X-GNOME-Autostart-enabled") == u"false";
}
