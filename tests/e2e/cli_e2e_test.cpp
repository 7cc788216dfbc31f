// SPDX-License-Identifier: GPL-3.0-or-later
// brisvane-cli against the private session's keyring: import, list, codes checked by oathtool,
// exports read back, Google export QR codes decoded by zbarimg.

#include "e2e_tools.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace E2E;
using namespace Qt::StringLiterals;

namespace {

const QString links =
    u"otpauth://totp/GitHub:alice?secret=GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ\n"
    u"  \n"
    u"otpauth://totp/B%C3%A4nk:zo%C3%AB?secret=JBSWY3DPEHPK3PXP&algorithm=SHA256&digits=8&period=60\n"
    u"otpauth://hotp/Counter:bob?secret=KRSXG5CTMVRXEZLU&counter=3\n"_s;

class CliEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override { clearKeyring(); }
    void TearDown() override { clearKeyring(); }

    Outcome cli(const QStringList& arguments, const QByteArray& input = {})
    {
        return run(QStringLiteral(BRISVANE_CLI), arguments, input, 60000);
    }

    QString file(const QString& name, const QByteArray& content)
    {
        const QString path = m_dir.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        return path;
    }

    // oathtool's code, taken on both sides of our call so a step boundary cannot fail the test.
    void expectCode(const QString& query, const QStringList& oathArguments)
    {
        const QString before = run(u"oathtool"_s, oathArguments).out;
        const Outcome ours = cli({u"code"_s, query});
        const QString after = run(u"oathtool"_s, oathArguments).out;
        EXPECT_EQ(ours.exitCode, 0) << ours.err.toStdString();
        EXPECT_TRUE(ours.out == before || ours.out == after) << ours.out.toStdString();
    }

    QStringList ids()
    {
        QStringList out;
        for (const QJsonValue& value :
             QJsonDocument::fromJson(cli({u"list"_s, u"--json"_s}).out.toUtf8()).array())
            out.append(value.toObject().value(u"id"_s).toString());
        return out;
    }

    QTemporaryDir m_dir;
};

TEST_F(CliEndToEnd, ImportListCodesAndDuplicates)
{
    const QString path = file(u"links.txt"_s, links.toUtf8());
    Outcome imported = cli({u"import"_s, path});
    EXPECT_EQ(imported.exitCode, 0);
    EXPECT_EQ(imported.out, u"Imported 3 accounts"_s);
    imported = cli({u"import"_s, path});
    EXPECT_EQ(imported.exitCode, 0);
    EXPECT_EQ(imported.out, u"Imported 0 accounts (3 already present)"_s);

    EXPECT_EQ(cli({u"list"_s}).out, u"GitHub:alice  totp\nBänk:zoë  totp\nCounter:bob  hotp"_s);
    const QString json = cli({u"list"_s, u"--json"_s}).out;
    EXPECT_FALSE(json.contains(u"secret"_s));
    EXPECT_TRUE(json.contains(u"\"algorithm\": \"SHA256\""_s));

    expectCode(u"github"_s, {u"--totp"_s, u"-b"_s, u"GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"_s});
    expectCode(u"BÄNK"_s,
               {u"--totp=sha256"_s, u"-d"_s, u"8"_s, u"-s"_s, u"60"_s, u"-b"_s, u"JBSWY3DPEHPK3PXP"_s});
    // A counter-based code advances the counter, as a hotkey press does.
    expectCode(ids().at(2), {u"--hotp"_s, u"-c"_s, u"3"_s, u"-b"_s, u"KRSXG5CTMVRXEZLU"_s});
    expectCode(u"bob"_s, {u"--hotp"_s, u"-c"_s, u"4"_s, u"-b"_s, u"KRSXG5CTMVRXEZLU"_s});

    EXPECT_EQ(cli({u"code"_s, u"nobody"_s}).exitCode, 1);
    const Outcome several = cli({u"code"_s, u"b"_s});
    EXPECT_EQ(several.exitCode, 2);
    EXPECT_TRUE(several.err.contains(u"GitHub: alice"_s) && several.err.contains(u"Counter: bob"_s));
    EXPECT_EQ(cli({u"import"_s, file(u"junk.bin"_s, "\x01\x02junk")}).exitCode, 1);
}

TEST_F(CliEndToEnd, EncryptedBackupRestoresTheSameAccountsAndIds)
{
    ASSERT_EQ(cli({u"import"_s, file(u"links.txt"_s, links.toUtf8())}).exitCode, 0);
    const QStringList before = ids();
    const QString uris = cli({u"export"_s, u"--format"_s, u"uris"_s}).out;
    const QString backup = m_dir.filePath(u"backup.json"_s);
    const Outcome exported =
        cli({u"export"_s, u"--format=aegis-encrypted"_s, u"--password-stdin"_s, u"--output"_s, backup},
            "correct horse\n");
    ASSERT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(QFile::permissions(backup) & (QFile::ReadOther | QFile::ReadGroup), QFile::Permissions{});
    QFile written(backup);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_FALSE(written.readAll().contains("GEZDGNBV"));

    clearKeyring();
    const Outcome wrong = cli({u"import"_s, u"--password-stdin"_s, backup}, "wrong\n");
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_TRUE(wrong.err.contains(u"Wrong password"_s)) << wrong.err.toStdString();
    EXPECT_EQ(cli({u"list"_s}).out, QString());
    EXPECT_EQ(cli({u"import"_s, u"--password-stdin"_s, backup}, "correct horse\n").exitCode, 0);
    EXPECT_EQ(ids(), before);
    EXPECT_EQ(cli({u"export"_s, u"--format"_s, u"uris"_s}).out, uris);
}

TEST_F(CliEndToEnd, GoogleExportCodesScanBackToTheSameAccounts)
{
    ASSERT_EQ(cli({u"import"_s, file(u"links.txt"_s, links.toUtf8())}).exitCode, 0);
    const QString plain = cli({u"export"_s, u"--format"_s, u"aegis"_s}).out;
    const Outcome exported =
        cli({u"export"_s, u"--format"_s, u"migration-qr"_s, u"--output"_s, m_dir.filePath(u"codes"_s)});
    ASSERT_EQ(exported.exitCode, 0);
    // The 60-second account cannot travel in that format and is named instead.
    EXPECT_TRUE(exported.err.contains(u"Bänk (zoë)"_s)) << exported.err.toStdString();
    const Outcome scanned = run(u"zbarimg"_s, {u"--raw"_s, u"-q"_s, m_dir.filePath(u"codes-1.png"_s)});
    ASSERT_TRUE(scanned.out.startsWith(u"otpauth-migration://offline?data="_s)) << scanned.out.toStdString();

    clearKeyring();
    EXPECT_EQ(cli({u"import"_s, file(u"scanned.txt"_s, scanned.out.toUtf8())}).out, u"Imported 2 accounts"_s);
    EXPECT_EQ(cli({u"list"_s}).out, u"GitHub:alice  totp\nCounter:bob  hotp"_s);
    // The plain vault holds secrets in the clear and reads back the third account too.
    clearKeyring();
    EXPECT_TRUE(plain.contains(u"GEZDGNBVGY3TQOJQGEZDGNBVGY3TQOJQ"_s));
    EXPECT_EQ(cli({u"import"_s, file(u"plain.json"_s, plain.toUtf8())}).out, u"Imported 3 accounts"_s);
}

} // namespace
