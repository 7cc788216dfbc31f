// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/add_account/add_account_model.h"

#include "core/base32.h"
#include "import/formats/backup_reader.h"
#include "import/formats/otpauth_text.h"
#include "import/parse_migration.h"
#include "import/parse_url.h"
#include "import/qr_importer.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPointer>
#include <QUuid>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <optional>
#include <utility>

namespace {

// Tab and the Unicode space separators; unlike QString::trimmed, line breaks stay.
bool isHorizontalSpace(QChar c)
{
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

QString trimmedOfSpaces(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isHorizontalSpace(text.at(begin)))
        ++begin;
    while (end > begin && isHorizontalSpace(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

AddAccountModel::AddAccountModel(QRImporter& importer, AddAction onAdd, DismissAction dismiss,
                                 QObject* parent)
    : QObject(parent), m_importer(importer), m_onAdd(std::move(onAdd)), m_dismiss(std::move(dismiss))
{
    m_scanTimer.setSingleShot(true);
    m_scanTimer.setInterval(scanYield);
    connect(&m_scanTimer, &QTimer::timeout, this, &AddAccountModel::runScan);
    connect(&m_decoding, &QFutureWatcherBase::finished, this, &AddAccountModel::finishScan);
}

AddAccountModel::~AddAccountModel()
{
    m_decoding.waitForFinished();
}

void AddAccountModel::setMode(AddMode mode)
{
    if (m_mode == mode)
        return;
    m_mode = mode;
    Q_EMIT changed();
}

void AddAccountModel::setManualIssuer(const QString& text)
{
    if (m_manualIssuer == text)
        return;
    m_manualIssuer = text;
    Q_EMIT changed();
}

void AddAccountModel::setManualName(const QString& text)
{
    if (m_manualName == text)
        return;
    m_manualName = text;
    Q_EMIT changed();
}

void AddAccountModel::setManualSecret(const QString& text)
{
    if (m_manualSecret == text)
        return;
    m_manualSecret = text;
    Q_EMIT changed();
}

void AddAccountModel::setManualType(OTPType type)
{
    if (m_manualType == type)
        return;
    m_manualType = type;
    Q_EMIT changed();
}

void AddAccountModel::setManualAlgorithm(HashAlgorithm algorithm)
{
    if (m_manualAlgorithm == algorithm)
        return;
    m_manualAlgorithm = algorithm;
    Q_EMIT changed();
}

void AddAccountModel::setManualDigits(std::int64_t digits)
{
    digits = std::clamp(digits, minimumDigits, maximumDigits);
    if (m_manualDigits == digits)
        return;
    m_manualDigits = digits;
    Q_EMIT changed();
}

void AddAccountModel::setManualPeriod(std::int64_t seconds)
{
    seconds = std::clamp(seconds, minimumPeriod, maximumPeriod);
    // A typed value lands on the nearest step, as if the stepper had been used.
    seconds = (seconds + periodStep / 2) / periodStep * periodStep;
    if (m_manualPeriod == seconds)
        return;
    m_manualPeriod = seconds;
    Q_EMIT changed();
}

void AddAccountModel::setLinkText(const QString& text)
{
    if (m_linkText == text)
        return;
    m_linkText = text;
    Q_EMIT changed();
}

bool AddAccountModel::isPrimaryEnabled() const
{
    switch (m_mode) {
    case AddMode::scanScreen:
    case AddMode::imageFile:
        return !m_isWorking;
    case AddMode::pasteLink:
        return std::any_of(m_linkText.cbegin(), m_linkText.cend(), [](QChar c) { return !c.isSpace(); });
    case AddMode::manual:
        return hasManualInput();
    }
    return false;
}

bool AddAccountModel::hasManualInput() const
{
    return !m_manualSecret.trimmed().isEmpty() && !m_manualName.trimmed().isEmpty();
}

void AddAccountModel::startScan()
{
    if (m_isWorking)
        return;
    m_isWorking = true;
    m_status = tr("Scanning displays…");
    Q_EMIT changed();
    m_scanTimer.start();
}

void AddAccountModel::cancelPendingScan()
{
    if (!m_isWorking)
        return;
    m_scanTimer.stop();
    ++m_scanGeneration;
    setWorking(false);
}

void AddAccountModel::runScan()
{
    const quint64 generation = m_scanGeneration;
    m_importer.captureDisplays([self = QPointer(this), generation](QList<QImage> images) {
        if (self && self->m_scanGeneration == generation)
            self->decodeScan(std::move(images));
    });
}

void AddAccountModel::decodeScan(QList<QImage> images)
{
    // Decoding a few screens takes tens of milliseconds; the clock and hotkeys keep going.
    const QRImporter& importer = m_importer;
    m_decodingGeneration = m_scanGeneration;
    m_decoding.setFuture(QtConcurrent::run(
        [&importer, images = std::move(images)] { return importer.decodeDisplays(images); }));
}

void AddAccountModel::finishScan()
{
    // A scan cancelled while decoding leaves its result unused.
    if (!m_isWorking || m_decodingGeneration != m_scanGeneration)
        return;
    auto result = m_decoding.result();
    if (!result.ok()) {
        m_isWorking = false;
        setStatus(message(result.error()));
        return;
    }
    finish(result.value());
}

bool AddAccountModel::importBackupFile(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).size() > maxBackupFileSize || !file.open(QIODevice::ReadOnly))
        return false; // the image reader reports what is wrong with it
    const QByteArray bytes = file.readAll();
    Result<ImportedAccounts, ImportFailure> read = readBackup(bytes);
    if (!read && read.error().kind == ImportErrorKind::unknownFormat)
        return false;
    if (!read && read.error().kind == ImportErrorKind::passwordRequired) {
        const std::optional<QString> password =
            m_askPassword ? m_askPassword(read.error().detail) : std::nullopt;
        if (!password) {
            setStatus(tr("Nothing imported: the %1 needs its password.").arg(read.error().detail));
            return true;
        }
        read = readBackup(bytes, *password);
    }
    if (!read) {
        setStatus(importFailureMessage(read.error()));
        return true;
    }
    const ImportedAccounts& imported = read.value();
    if (imported.skipped.isEmpty()) {
        finish(imported.accounts);
        return true;
    }
    // What was left out must be read before the dialog goes away.
    if (m_onAdd && !imported.accounts.isEmpty())
        m_onAdd(imported.accounts);
    setStatus(importSummary(static_cast<int>(imported.accounts.size()), 0, imported.skipped));
    return true;
}

void AddAccountModel::chooseImageFile(const QString& path)
{
    if (path.isEmpty() || m_isWorking)
        return;
    // A named pipe or a device would block the open; the image reader says what is wrong.
    if (QFileInfo(path).isFile() && importBackupFile(path))
        return;
    m_isWorking = true;
    m_status = tr("Reading the image…");
    Q_EMIT changed();
    // A large photo takes a while to decode; the window goes on meanwhile. The result comes
    // back like a scan's, and cancelling drops it the same way.
    const QRImporter& importer = m_importer;
    m_decodingGeneration = m_scanGeneration;
    m_decoding.setFuture(QtConcurrent::run([&importer, path] { return importer.importImageFile(path); }));
}

void AddAccountModel::refuseLongText(qsizetype length)
{
    const QLocale locale;
    setStatus(tr("This text is too long to be a setup link (%1). Paste at most %2.")
                  .arg(locale.formattedDataSize(length, 1, QLocale::DataSizeIecFormat),
                       locale.formattedDataSize(maximumLinkLength, 0, QLocale::DataSizeIecFormat)));
}

void AddAccountModel::addFromLink()
{
    if (m_linkText.size() > maximumLinkLength) {
        refuseLongText(m_linkText.size());
        return;
    }
    const QString link = m_linkText.trimmed();
    if (link.isEmpty())
        return;
    if (link.contains(u'\n')) {
        Result<ImportedAccounts, ImportFailure> read = OtpauthText::read(link);
        if (!read.ok()) {
            setStatus(read.error().detail);
            return;
        }
        finish(read.value().accounts);
        return;
    }
    if (link.toLower().startsWith(u"otpauth-migration://")) {
        auto result = OTPAuth::parseMigration(link);
        if (!result.ok()) {
            setStatus(OTPAuth::message(result.error()));
            return;
        }
        finish(result.value());
        return;
    }
    auto result = OTPAuth::parseURL(link);
    if (!result.ok()) {
        setStatus(OTPAuth::message(result.error()));
        return;
    }
    finish({result.value()});
}

void AddAccountModel::addManual()
{
    if (!hasManualInput())
        return;
    QString secretText = m_manualSecret;
    secretText.remove(u' ');
    const std::optional<QByteArray> secret = decodeBase32(secretText);
    if (!secret || secret->isEmpty()) {
        setStatus(tr("Secret is not valid Base32."));
        return;
    }

    Account account;
    account.id = QUuid::createUuid();
    account.name = trimmedOfSpaces(m_manualName);
    account.issuer = trimmedOfSpaces(m_manualIssuer);
    account.secret = *secret;
    account.type = m_manualType;
    account.algorithm = m_manualAlgorithm;
    account.digits = m_manualDigits;
    // Kept for HOTP too, although its row is hidden there.
    account.period = m_manualPeriod;
    account.counter = 0;
    account.createdAt = currentInstant();
    finish({account});
}

void AddAccountModel::finish(const QList<Account>& accounts)
{
    if (accounts.isEmpty()) {
        m_isWorking = false;
        setStatus(tr("No accounts were imported."));
        return;
    }
    // dismiss may close the dialog that owns this model: nothing after it touches members.
    const DismissAction dismiss = m_dismiss;
    if (m_onAdd)
        m_onAdd(accounts);
    // A large add is still being written: the dialog shows how far, and goes when it is over.
    if (!m_progress.isEmpty())
        m_dismissWhenStored = true;
    else if (dismiss)
        dismiss();
}

void AddAccountModel::showStoring(int done, int total)
{
    if (done < total) {
        const QLocale locale;
        m_progress = tr("Adding %1 of %2…").arg(locale.toString(done), locale.toString(total));
        Q_EMIT changed();
        return;
    }
    if (m_progress.isEmpty())
        return;
    m_progress.clear();
    const DismissAction dismiss = m_dismissWhenStored ? m_dismiss : DismissAction();
    m_dismissWhenStored = false;
    Q_EMIT changed();
    if (dismiss)
        dismiss();
}

void AddAccountModel::setStatus(const QString& status)
{
    m_status = status;
    ++m_statusReports;
    Q_EMIT changed();
}

void AddAccountModel::setWorking(bool working)
{
    if (m_isWorking == working)
        return;
    m_isWorking = working;
    Q_EMIT changed();
}
