// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/terminal_password.h"

#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

std::optional<QString> TerminalPassword::readLine(bool hideInput)
{
    termios saved{};
    const bool hide = hideInput && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (hide) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    std::string line;
    int c = 0;
    bool any = false;
    while ((c = std::fgetc(stdin)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        line.push_back(static_cast<char>(c));
    }
    if (hide) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        std::fputc('\n', stderr);
    }
    if (!any)
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

std::optional<QString> TerminalPassword::ask(const QString& prompt)
{
    if (m_fromStdin) {
        if (!m_stdinLine)
            m_stdinLine = readLine(false);
        return m_stdinLine;
    }
    if (!isatty(STDIN_FILENO))
        return std::nullopt;
    std::fputs(qPrintable(prompt), stderr);
    std::fflush(stderr);
    return readLine(true);
}
