// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/qr_importer.h"

#include "import/parse_migration.h"
#include "import/parse_url.h"
#include "platform/image_file_reader.h"
#include "platform/qr_detector.h"
#include "platform/screen_capture.h"

#include <algorithm>
#include <optional>

QRImporter::QRImporter(ScreenCapture& screens, QRDetector& detector, ImageFileReader& files)
    : m_screens(screens), m_detector(detector), m_files(files)
{
}

namespace {

QList<QImage> capturedOnly(QList<QImage> images)
{
    images.removeIf(
        [](const QImage& image) { return image.isNull() || image.width() <= 0 || image.height() <= 0; });
    if (images.size() > QRImporter::maxDisplays)
        images.resize(QRImporter::maxDisplays);
    return images;
}

} // namespace

QList<QImage> QRImporter::captureDisplays()
{
    const int count = std::clamp(m_screens.displayCount(), 0, maxDisplays);
    QList<QImage> images;
    for (int index = 0; index < count; ++index)
        images.append(m_screens.captureDisplay(index));
    return capturedOnly(std::move(images));
}

void QRImporter::captureDisplays(std::function<void(QList<QImage>)> done)
{
    m_screens.captureDisplays(maxDisplays, [done = std::move(done)](QList<QImage> captured) {
        done(capturedOnly(std::move(captured)));
    });
}

Result<QList<Account>, QRImportFailure> QRImporter::scanScreens()
{
    return decodeDisplays(captureDisplays());
}

Result<QList<Account>, QRImportFailure> QRImporter::decodeDisplays(const QList<QImage>& images) const
{
    if (images.isEmpty())
        return QRImportFailure(QRImportError::screenCaptureFailed);

    QStringList payloads;
    for (const QImage& image : images)
        payloads.append(m_detector.detectQRPayloads(image));
    if (payloads.isEmpty())
        return QRImportFailure(QRImportError::noQRCodeFound);
    return accountsFromPayloads(payloads);
}

Result<QList<Account>, QRImportFailure> QRImporter::importImageFile(const QString& path) const
{
    const std::optional<QImage> image = m_files.loadImage(path);
    if (!image || image->isNull())
        return QRImportFailure(QRImportError::unreadableImage);

    const QStringList payloads = m_detector.detectQRPayloads(*image);
    if (payloads.isEmpty())
        return QRImportFailure(QRImportError::noQRCodeFound);
    return accountsFromPayloads(payloads);
}

Result<QList<Account>, QRImportFailure> accountsFromPayloads(const QStringList& payloads)
{
    QList<Account> accounts;
    std::optional<OTPAuth::ParseError> lastError;
    for (const QString& decoded : payloads) {
        // A line break after the link is common in generated codes; like a pasted link, the
        // text is taken without surrounding white space. Only the test ignores case; the
        // parsers get the text as it was read.
        const QString payload = decoded.trimmed();
        const QString lower = payload.toLower();
        if (lower.startsWith(u"otpauth-migration://")) {
            auto parsed = OTPAuth::parseMigration(payload);
            if (parsed.ok())
                accounts.append(parsed.value());
            else
                lastError = parsed.error();
        } else if (lower.startsWith(u"otpauth://")) {
            auto parsed = OTPAuth::parseURL(payload);
            if (parsed.ok())
                accounts.append(parsed.value());
            else
                lastError = parsed.error();
        }
    }
    if (!accounts.isEmpty())
        return accounts;
    if (lastError)
        return QRImportFailure(*lastError);
    return QRImportFailure(QRImportError::noQRCodeFound);
}
