// Compares our codes with the oathtool command, an independent HOTP/TOTP implementation,
// over a few hundred generated accounts. oathtool only supports 6 to 8 digits (shorter and
// longer codes are covered by the "last digits" property in otp_code_test.cpp) and HOTP only
// over SHA-1; SHA-256 and SHA-512 with large moving factors go through TOTP with a 1 s step.

#include "core/account.h"
#include "core/otp_code.h"
#include "qstring_printer.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace {

constexpr int window = 7; // each oathtool run prints window + 1 consecutive codes

struct OracleCase
{
    Account account;
    qint64 unixTime = 0; // TOTP only, whole seconds
};

QString oathtoolCommand(const OracleCase& c)
{
    const Account& a = c.account;
    QString command = QStringLiteral("oathtool -w %1 -d %2 ").arg(window).arg(a.digits);
    if (a.type == OTPType::totp) {
        command += QStringLiteral("--totp=%1 -s %2 -N @%3 ")
                       .arg(rawValue(a.algorithm))
                       .arg(a.period)
                       .arg(c.unixTime);
    } else {
        command += QStringLiteral("--hotp -c %1 ").arg(a.counter);
    }
    // An empty key must still be one (empty) argument.
    return command + u'\'' + QString::fromLatin1(a.secret.toHex()) + u'\'';
}

std::vector<OracleCase> generateCases()
{
    std::mt19937_64 random(20240501);
    const int secretLengths[] = {0, 1, 10, 16, 20, 32, 33, 64, 65, 100, 128, 129, 200};
    const std::int64_t periods[] = {1, 15, 30, 45, 60, 3600, 86400};
    std::vector<OracleCase> cases;
    for (int i = 0; i < 150; ++i) {
        OracleCase c;
        Account& a = c.account;
        a.secret.resize(secretLengths[i % std::size(secretLengths)]);
        for (char& byte : a.secret)
            byte = static_cast<char>(random() & 0xFF);
        a.algorithm = allHashAlgorithms[static_cast<std::size_t>(i % 3)];
        a.digits = 6 + (i / 3) % 3;
        a.period = periods[random() % std::size(periods)];
        // 1970 to about 2500, plus the epoch itself now and then.
        c.unixTime = i % 11 == 0 ? 0 : static_cast<qint64>(random() % 16'725'225'600ULL);
        if (i % 2 == 0) {
            a.type = OTPType::totp;
        } else if (a.algorithm == HashAlgorithm::sha1) {
            a.type = OTPType::hotp;
            a.counter = (i / 6) % 2 == 0 ? std::numeric_limits<std::uint64_t>::max() - window - random() % 1000
                                   : random() % (std::numeric_limits<std::uint64_t>::max() - window);
        } else {
            a.type = OTPType::totp;
            a.period = 1;
            c.unixTime = static_cast<qint64>(random() % (std::uint64_t{1} << 50));
        }
        cases.push_back(c);
    }
    return cases;
}

// Runs every command in one shell, each output block ended by a marker line.
std::optional<QStringList> runBatch(const std::vector<OracleCase>& cases)
{
    QString script = QStringLiteral("set -u\n");
    for (const OracleCase& c : cases)
        script += oathtoolCommand(c) + QStringLiteral(" || echo FAILED; echo END\n");
    QProcess shell;
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-s")});
    if (!shell.waitForStarted())
        return std::nullopt;
    shell.write(script.toUtf8());
    shell.closeWriteChannel();
    if (!shell.waitForFinished(120'000) || shell.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(shell.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

TEST(OathtoolOracle, CodesAgreeForEveryHashDigitsPeriodCounterAndInstant)
{
    if (QStandardPaths::findExecutable(QStringLiteral("oathtool")).isEmpty())
        FAIL() << "oathtool is not installed (Debian package oathtool, see tools/packages.txt)";

    const std::vector<OracleCase> cases = generateCases();
    const std::optional<QStringList> lines = runBatch(cases);
    ASSERT_TRUE(lines) << "could not run oathtool";

    qsizetype line = 0;
    int compared = 0;
    for (const OracleCase& c : cases) {
        const QString command = oathtoolCommand(c);
        std::uint64_t step = 0;
        if (c.account.type == OTPType::totp)
            step = static_cast<std::uint64_t>(c.unixTime / c.account.period);
        for (int k = 0; k <= window; ++k, ++line) {
            ASSERT_LT(line, lines->size());
            const QString expected = lines->at(line);
            ASSERT_NE(expected, QStringLiteral("END")) << command.toStdString();
            Account a = c.account;
            QString ours;
            if (a.type == OTPType::totp) {
                const double stepStart = static_cast<double>((step + static_cast<std::uint64_t>(k)) *
                                                             static_cast<std::uint64_t>(a.period));
                ours = a.code(instantFromSeconds(stepStart));
                // The last millisecond of a step still belongs to it (where doubles can tell).
                if (stepStart < 1.0e12) {
                    EXPECT_EQ(a.code(instantFromSeconds(stepStart + static_cast<double>(a.period) - 0.001)), ours)
                        << command.toStdString();
                }
            } else {
                a.counter += static_cast<std::uint64_t>(k);
                ours = a.code(instantFromSeconds(0));
                EXPECT_EQ(generateCode(a.secret, a.counter, a.digits, a.algorithm), ours);
            }
            EXPECT_EQ(ours, expected) << command.toStdString() << " (code " << k << ")";
            ++compared;
        }
        ASSERT_LT(line, lines->size());
        ASSERT_EQ(lines->at(line), QStringLiteral("END")) << command.toStdString();
        ++line;
    }
    EXPECT_EQ(compared, static_cast<int>(cases.size()) * (window + 1));
}

} // namespace
