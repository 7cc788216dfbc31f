// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/portal/portal_screen_capture.h"

#include "platform/portal/portal_request.h"

#include <QDBusMessage>
#include <QFile>
#include <QImageReader>

namespace {

constexpr const char* screenshotInterface = "org.freedesktop.portal.Screenshot";

} // namespace

PortalScreenCapture::PortalScreenCapture(QDBusConnection bus) : m_bus(std::move(bus)) {}

bool PortalScreenCapture::isAvailable(const QDBusConnection& bus)
{
    return PortalRequest::interfaceVersion(bus, QString::fromLatin1(screenshotInterface)) >= 1;
}

void PortalScreenCapture::captureDisplays(int limit, const CaptureDone& done)
{
    if (limit <= 0) {
        done({});
        return;
    }
    request(false, done);
}

void PortalScreenCapture::request(bool interactive, CaptureDone done)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(PortalRequest::portalService), QString::fromLatin1(PortalRequest::portalPath),
        QString::fromLatin1(screenshotInterface), QStringLiteral("Screenshot"));
    call.setArguments({QString(), QVariantMap{{QStringLiteral("interactive"), interactive},
                                              {QStringLiteral("modal"), false}}});
    PortalRequest* pending = PortalRequest::send(m_bus, call);
    QObject::connect(pending, &PortalRequest::finished, pending,
                     [this, interactive, done = std::move(done)](uint response, const QVariantMap& results) {
                         // A file comes with a success only, but one that came is deleted in any case.
                         const QImage image =
                             takeScreenshotFile(QUrl(results.value(QStringLiteral("uri")).toString()));
                         // Some desktops refuse to capture without their own dialog: let the user choose.
                         if (response == PortalRequest::failed && !interactive) {
                             request(true, done);
                             return;
                         }
                         done(response == PortalRequest::success && !image.isNull() ? QList<QImage>{image}
                                                                                    : QList<QImage>{});
                     });
}

QImage takeScreenshotFile(const QUrl& uri)
{
    if (!uri.isLocalFile())
        return {};
    const QString path = uri.toLocalFile();
    QImageReader reader(path);
    QImage image = reader.read();
    QFile::remove(path);
    return image;
}
