// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// Passwords for the command line: typed at the terminal without echo, or the first line of
// standard input when the caller says so (scripts). Absent when there is no way to ask or
// input ended.
class TerminalPassword
{
public:
    explicit TerminalPassword(bool fromStdin) : m_fromStdin(fromStdin) {}

    std::optional<QString> ask(const QString& prompt);
    bool asksTerminal() const { return !m_fromStdin; }

private:
    std::optional<QString> readLine(bool hideInput);

    bool m_fromStdin;
    std::optional<QString> m_stdinLine; // standard input is read once; every file gets that line
};
