// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/account_presentation.h"

#include <QList>
#include <QTextBoundaryFinder>

QString groupedCode(const QString& code)
{
    const qsizetype half = code.size() / 2;
    return code.left(half) + QLatin1Char(' ') + code.mid(half);
}

namespace {

bool isWordCharacter(QStringView grapheme)
{
    const QList<uint> codePoints = grapheme.toUcs4();
    return !codePoints.isEmpty() && QChar::isLetterOrNumber(char32_t(codePoints.front()));
}

} // namespace

QString initials(const Account& account)
{
    const QString source = account.issuer.isEmpty() ? account.name : account.issuer;
    QString taken;
    int words = 0;
    bool inWord = false;
    // Judged per user-perceived character, so an accented letter written with a combining
    // mark stays whole.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, source);
    qsizetype start = 0;
    for (qsizetype end = finder.toNextBoundary(); end != -1 && words < 2; end = finder.toNextBoundary()) {
        const QStringView grapheme = QStringView(source).mid(start, end - start);
        start = end;
        if (grapheme.isEmpty())
            continue;
        const bool wordCharacter = isWordCharacter(grapheme);
        if (wordCharacter && !inWord) {
            taken += grapheme;
            ++words;
        }
        inWord = wordCharacter;
    }
    return taken.isEmpty() ? QStringLiteral("?") : taken.toUpper();
}

QString rowTitle(const Account& account)
{
    return isolatedText(account.issuer.isEmpty() ? account.name : account.issuer);
}

QString rowSubtitle(const Account& account)
{
    return account.issuer.isEmpty() ? QString() : isolatedText(account.name);
}

QString spokenCode(const QString& code)
{
    QString spoken;
    spoken.reserve(code.size() * 2);
    for (const QChar c : code) {
        if (c.isSpace())
            continue;
        if (!spoken.isEmpty())
            spoken += u' ';
        spoken += c;
    }
    return spoken;
}
