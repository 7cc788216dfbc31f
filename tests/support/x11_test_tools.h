// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTest>

// Runs a command-line tool while Qt's event loop keeps turning, so that this process can
// still answer the X server (clipboard requests, key events). Returns its standard output,
// or nothing when it failed or did not finish in time.
inline std::optional<QByteArray> runTool(const QString& program, const QStringList& arguments,
                                         const QByteArray& input = {}, int timeoutMs = 5000)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs))
        return std::nullopt;
    process.write(input);
    process.closeWriteChannel();
    const bool finished = QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, timeoutMs);
    if (!finished) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

inline bool xdotool(const QStringList& arguments)
{
    return runTool(QStringLiteral("xdotool"), arguments).has_value();
}
