// SPDX-License-Identifier: GPL-3.0-or-later
// Compares our codes with oathtool, an independent implementation, over a few hundred codes.
// It supports 6 to 8 digits and HOTP only over SHA-1, so SHA-256 and SHA-512 with large moving
// factors go through TOTP with a 1 s step. Key lengths straddle every hash's block size.

#include "core/account.h"
#include "support/qt_printers.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

constexpr std::uint64_t window = 7; // each oathtool run prints window + 1 consecutive codes

struct OracleCase
{
    Account account;
    std::uint64_t unixTime = 0;
};

std::vector<OracleCase> generateCases()
{
    std::mt19937_64 random(20240501);
    const int secretLengths[] = {0, 1, 10, 16, 20, 32, 33, 64, 65, 100, 128, 129, 200};
    const std::int64_t periods[] = {1, 15, 30, 45, 60, 3600, 86400};
    const std::uint64_t maxCounter = std::numeric_limits<std::uint64_t>::max() - window;
    std::vector<OracleCase> cases(150);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        Account& a = cases[i].account;
        a.secret.resize(secretLengths[i % std::size(secretLengths)]);
        for (char& byte : a.secret)
            byte = static_cast<char>(random());
        a.algorithm = allHashAlgorithms[i % 3];
        a.digits = static_cast<std::int64_t>(6 + (i / 3) % 3);
        a.period = periods[random() % std::size(periods)];
        cases[i].unixTime = i % 11 == 0 ? 0 : random() % 16'725'225'600ULL; // up to about 2500
        if (i % 2 == 1 && a.algorithm == HashAlgorithm::sha1) {
            a.type = OTPType::hotp;
            a.counter = (i / 6) % 2 == 0 ? maxCounter - random() % 1000 : random() % maxCounter;
        } else if (i % 2 == 1) {
            a.period = 1;
            cases[i].unixTime = random() % (std::uint64_t{1} << 50);
        }
    }
    return cases;
}

QString oathtoolCommand(const OracleCase& c)
{
    const Account& a = c.account;
    const QString mode = a.type == OTPType::totp ? QStringLiteral("--totp=%1 -s %2 -N @%3")
                                                       .arg(rawValue(a.algorithm))
                                                       .arg(a.period)
                                                       .arg(c.unixTime)
                                                 : QStringLiteral("--hotp -c %1").arg(a.counter);
    return QStringLiteral("oathtool -w %1 -d %2 %3 '%4'\n")
        .arg(window)
        .arg(a.digits)
        .arg(mode, QString::fromLatin1(a.secret.toHex()));
}

TEST(OathtoolOracle, CodesAgreeForEveryHashDigitsPeriodCounterAndInstant)
{
    const std::vector<OracleCase> cases = generateCases();
    QString script = QStringLiteral("set -e\n");
    for (const OracleCase& c : cases)
        script += oathtoolCommand(c);
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-s")});
    shell.write(script.toUtf8());
    shell.closeWriteChannel();
    ASSERT_TRUE(shell.waitForFinished(120'000) && shell.exitCode() == 0)
        << "oathtool (Debian package oathtool) failed: " << shell.readAllStandardError().toStdString();
    const QStringList lines =
        QString::fromUtf8(shell.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(cases.size() * (window + 1)));

    qsizetype line = 0;
    for (const OracleCase& c : cases) {
        Account a = c.account;
        const auto period = static_cast<std::uint64_t>(a.period);
        for (std::uint64_t k = 0; k <= window; ++k, ++line) {
            a.counter = c.account.counter + k;
            const double at = static_cast<double>((c.unixTime / period + k) * period);
            EXPECT_EQ(a.code(instantFromSeconds(at)), lines[line])
                << oathtoolCommand(c).toStdString() << " #" << k;
        }
    }
}

} // namespace
