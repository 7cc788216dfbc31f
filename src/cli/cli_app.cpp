// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_app.h"

#include "cli/terminal_password.h"
#include "core/uuid_text.h"
#include "import/formats/backup_reader.h"
#include "import/formats/export_document.h"
#include "import/formats/migration_export.h"
#include "import/formats/private_file.h"
#include "import/formats/unused_ids.h"
#include "platform/qr_encoder.h"
#include "storage/account_store.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <nlohmann/json.hpp>

namespace {

constexpr int qrModuleSize = 8;

struct Options
{
    QStringList positional;
    QStringList flags;
    QString format;
    QString output;
    bool valueMissing = false;
};

Options parse(const QStringList& arguments)
{
    Options options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool takesValue = argument == u"--format" || argument == u"--output";
        if (takesValue) {
            if (i + 1 >= arguments.size()) {
                options.valueMissing = true;
                break;
            }
            (argument == u"--format" ? options.format : options.output) = arguments[++i];
        } else if (argument.startsWith(QStringLiteral("--format=")))
            options.format = argument.section(u'=', 1);
        else if (argument.startsWith(QStringLiteral("--output=")))
            options.output = argument.section(u'=', 1);
        else if (argument.startsWith(QStringLiteral("--")))
            options.flags.append(argument);
        else
            options.positional.append(argument);
    }
    return options;
}

QString listLabel(const Account& account)
{
    return account.issuer.isEmpty() ? account.name : account.issuer + u':' + account.name;
}

bool onlyFlags(const Options& options, const QStringList& allowed)
{
    for (const QString& flag : options.flags) {
        if (!allowed.contains(flag))
            return false;
    }
    return !options.valueMissing;
}

} // namespace

CliApp::CliApp(AccountStore& store, QREncoder& qr, std::FILE* out, std::FILE* err)
    : m_store(store), m_qr(qr), m_out(out), m_err(err)
{
}

QString CliApp::usage()
{
    return QStringLiteral(
        "Usage: brisvane-cli COMMAND [OPTIONS]\n"
        "\n"
        "Commands:\n"
        "  list [--json]          One line per account (ISSUER:NAME  TYPE), or a JSON array without "
        "secrets.\n"
        "  code QUERY             The current code of the one account whose label contains QUERY\n"
        "                         (any letter case) or whose id is QUERY. A counter-based account\n"
        "                         advances. Exit status 1: no match; 2: several (listed on stderr).\n"
        "  import [--password-stdin] FILE...\n"
        "                         Adds the accounts of backups and exports (Aegis, 2FAS, andOTP,\n"
        "                         FreeOTP+, Bitwarden, Proton Authenticator, Ente Auth text, otpauth\n"
        "                         links), recognised by content. Duplicates are left out.\n"
        "  export --format uris|aegis|aegis-encrypted|migration-qr [--password-stdin] [--output PATH]\n"
        "                         Writes every account with its secret: otpauth links, an Aegis vault\n"
        "                         (plain or password-encrypted; Brisvane's own backup format), or\n"
        "                         Google Authenticator export QR codes as PATH-1.png, PATH-2.png, ...\n"
        "                         Text goes to standard output unless --output is given.\n"
        "\n"
        "Passwords are read from the terminal without echo, or with --password-stdin from the first\n"
        "line of standard input.\n");
}

int CliApp::run(const QStringList& arguments)
{
    if (arguments.isEmpty() || arguments.first() == u"--help" || arguments.first() == u"-h" ||
        arguments.first() == u"help") {
        print(arguments.isEmpty() ? m_err : m_out, usage());
        return arguments.isEmpty() ? 64 : 0;
    }
    const QString& command = arguments.first();
    const QStringList rest = arguments.mid(1);
    if (rest.contains(QStringLiteral("--help"))) {
        print(m_out, usage());
        return 0;
    }
    if (m_store.lastError())
        return fail(QStringLiteral("cannot read the accounts: %1").arg(*m_store.lastError()));
    if (command == u"list")
        return list(rest);
    if (command == u"code")
        return code(rest);
    if (command == u"import")
        return importFiles(rest);
    if (command == u"export")
        return exportAccounts(rest);
    print(m_err, QStringLiteral("brisvane-cli: unknown command \"%1\"\n\n").arg(command) + usage());
    return 64;
}

int CliApp::list(const QStringList& arguments)
{
    const Options options = parse(arguments);
    if (!onlyFlags(options, {QStringLiteral("--json")}) || !options.positional.isEmpty())
        return fail(QStringLiteral("usage: brisvane-cli list [--json]"), 64);
    if (!options.flags.contains(QStringLiteral("--json"))) {
        for (const Account& account : m_store.accounts())
            print(m_out, listLabel(account) + QStringLiteral("  ") + rawValue(account.type) + u'\n');
        return 0;
    }
    nlohmann::json array = nlohmann::json::array();
    for (const Account& account : m_store.accounts())
        array.push_back({{"id", uuidText(account.id).toStdString()},
                         {"issuer", account.issuer.toStdString()},
                         {"name", account.name.toStdString()},
                         {"type", rawValue(account.type).toStdString()},
                         {"algorithm", rawValue(account.algorithm).toStdString()},
                         {"digits", account.digits},
                         {"period", account.period},
                         {"counter", account.counter}});
    print(m_out, QString::fromStdString(array.dump(2, ' ', false, nlohmann::json::error_handler_t::replace)) +
                     u'\n');
    return 0;
}

int CliApp::code(const QStringList& arguments)
{
    const Options options = parse(arguments);
    if (options.positional.size() != 1 || !onlyFlags(options, {}))
        return fail(QStringLiteral("usage: brisvane-cli code QUERY"), 64);
    const QString query = options.positional.first();
    const std::optional<QUuid> id = parseUUID(query);
    QList<Account> matches;
    for (const Account& account : m_store.accounts()) {
        if ((id && account.id == *id) || accountLabel(account).contains(query, Qt::CaseInsensitive))
            matches.append(account);
    }
    if (matches.isEmpty())
        return fail(QStringLiteral("no account matches \"%1\"").arg(query), 1);
    if (matches.size() > 1) {
        QString names;
        for (const Account& account : matches)
            names +=
                QStringLiteral("\n  ") + accountLabel(account) + QStringLiteral("  ") + uuidText(account.id);
        return fail(QStringLiteral("%1 accounts match \"%2\":").arg(matches.size()).arg(query) + names, 2);
    }
    const Account& account = matches.first();
    print(m_out, account.code(currentInstant()) + u'\n');
    std::fflush(m_out);
    if (account.type == OTPType::hotp) {
        m_store.incrementCounter(account);
        if (reportStoreError())
            return 1;
    }
    return 0;
}

int CliApp::importFiles(const QStringList& arguments)
{
    const Options options = parse(arguments);
    if (options.positional.isEmpty() || !onlyFlags(options, {QStringLiteral("--password-stdin")}))
        return fail(QStringLiteral("usage: brisvane-cli import [--password-stdin] FILE..."), 64);
    TerminalPassword passwords(options.flags.contains(QStringLiteral("--password-stdin")));
    QList<Account> candidates;
    QList<SkippedEntry> skipped;
    // Every file is read before anything is added: one bad file imports nothing at all.
    for (const QString& path : options.positional) {
        QFile file(path);
        if (QFileInfo(path).size() > maxBackupFileSize)
            return fail(
                QStringLiteral("%1: the file is far too large for a backup; nothing imported.").arg(path));
        if (!file.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("%1: %2; nothing imported.").arg(path, file.errorString()));
        const QByteArray bytes = file.readAll();
        Result<ImportedAccounts, ImportFailure> read = readBackup(bytes);
        if (!read && read.error().kind == ImportErrorKind::passwordRequired) {
            const std::optional<QString> password =
                passwords.ask(QStringLiteral("Password for %1: ").arg(QFileInfo(path).fileName()));
            if (!password)
                return fail(QStringLiteral("%1: %2 Give it with --password-stdin.")
                                .arg(path, importFailureMessage(read.error())));
            read = readBackup(bytes, *password);
        }
        if (!read)
            return fail(path + QStringLiteral(": ") + importFailureMessage(read.error()));
        candidates += read.value().accounts;
        skipped += read.value().skipped;
    }
    const qsizetype before = m_store.accounts().size();
    m_store.addAccounts(withUnusedIds(candidates, m_store.accounts()));
    const auto added = static_cast<int>(m_store.accounts().size() - before);
    print(m_out, importSummary(added, static_cast<int>(candidates.size()) - added, skipped) + u'\n');
    if (reportStoreError())
        return 1;
    return added > 0 || !candidates.isEmpty() ? 0 : 1;
}

std::optional<QString> CliApp::newPassword(TerminalPassword& source)
{
    std::optional<QString> first = source.ask(QStringLiteral("New backup password: "));
    if (!first || first->isEmpty())
        return std::nullopt;
    if (source.asksTerminal()) {
        const std::optional<QString> again = source.ask(QStringLiteral("Repeat the password: "));
        if (again != first) {
            print(m_err, QStringLiteral("brisvane-cli: the passwords differ.\n"));
            return std::nullopt;
        }
    }
    return first;
}

int CliApp::exportAccounts(const QStringList& arguments)
{
    const Options options = parse(arguments);
    const QStringList formats = {QStringLiteral("uris"), QStringLiteral("aegis"),
                                 QStringLiteral("aegis-encrypted"), QStringLiteral("migration-qr")};
    if (!options.positional.isEmpty() || !formats.contains(options.format) ||
        !onlyFlags(options, {QStringLiteral("--password-stdin")}))
        return fail(
            QStringLiteral("usage: brisvane-cli export --format uris|aegis|aegis-encrypted|migration-qr "
                           "[--password-stdin] [--output PATH]"),
            64);
    const QList<Account>& accounts = m_store.accounts();
    if (options.format == u"migration-qr") {
        if (options.output.isEmpty())
            return fail(
                QStringLiteral("migration-qr needs --output PATH (the codes are written as PATH-1.png, ...)"),
                64);
        const MigrationExport exported =
            migrationLinks(accounts, static_cast<int>(QRandomGenerator::global()->bounded(1, 1 << 30)));
        QList<QImage> images;
        for (const QString& link : exported.links)
            images.append(m_qr.encodeQR(link, qrModuleSize));
        if (const std::optional<FileWriteError> error = writeNumberedPngs(options.output, images))
            return fail(QStringLiteral("could not write %1: %2").arg(error->path, error->reason));
        for (qsizetype i = 0; i < images.size(); ++i)
            print(m_out, numberedPngPath(options.output, i + 1) + u'\n');
        for (const SkippedEntry& entry : exported.leftOut)
            print(m_err, QStringLiteral("brisvane-cli: left out %1: %2\n").arg(entry.label, entry.reason));
        return 0;
    }
    std::optional<QString> password;
    if (options.format == u"aegis-encrypted") {
        TerminalPassword source(options.flags.contains(QStringLiteral("--password-stdin")));
        password = newPassword(source);
        if (!password)
            return fail(QStringLiteral("an encrypted export needs a non-empty password (from the terminal or "
                                       "--password-stdin)."));
    }
    const ExportFormat format = options.format == u"uris"    ? ExportFormat::otpauthLinks
                                : options.format == u"aegis" ? ExportFormat::aegisVault
                                                             : ExportFormat::aegisVaultEncrypted;
    const QByteArray bytes = exportDocument(format, accounts, password);
    if (options.output.isEmpty()) {
        std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), m_out);
        return std::fflush(m_out) == 0 ? 0 : 1;
    }
    return writeFile(options.output, bytes) ? 0 : 1;
}

bool CliApp::writeFile(const QString& path, const QByteArray& bytes)
{
    if (const std::optional<FileWriteError> error = writePrivateFile(path, bytes)) {
        fail(QStringLiteral("could not write %1: %2").arg(error->path, error->reason));
        return false;
    }
    return true;
}

bool CliApp::reportStoreError()
{
    if (!m_store.lastError())
        return false;
    print(m_err, QStringLiteral("brisvane-cli: %1\n").arg(*m_store.lastError()));
    return true;
}

int CliApp::fail(const QString& message, int status)
{
    print(m_err, QStringLiteral("brisvane-cli: ") + message + u'\n');
    return status;
}

void CliApp::print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toUtf8().constData(), stream);
}
