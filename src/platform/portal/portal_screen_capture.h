// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/screen_capture.h"

#include <QDBusConnection>
#include <QString>
#include <QUrl>

// The whole desktop through org.freedesktop.portal.Screenshot, the only way a Wayland
// client may look beyond its own windows. Asks without the portal's own dialog first; the
// desktop may still ask the user. The portal hands back a file with everything that was
// on screen, codes included: it is read and deleted at once, whatever the outcome.
class PortalScreenCapture : public ScreenCapture
{
public:
    explicit PortalScreenCapture(QDBusConnection bus = QDBusConnection::sessionBus());

    // True when the session bus offers the Screenshot portal.
    static bool isAvailable(const QDBusConnection& bus = QDBusConnection::sessionBus());

    // The portal captures every output into one image.
    int displayCount() const override { return 1; }
    // Only the asynchronous capture reaches the portal; waiting here could block the GUI
    // thread while the desktop asks the user.
    QImage captureDisplay(int) override { return {}; }
    void captureDisplays(int limit, const CaptureDone& done) override;

private:
    void request(bool interactive, CaptureDone done);

    QDBusConnection m_bus;
};

// Reads the screenshot the portal wrote and deletes the file, also when it cannot be read.
// Only local files are touched; anything else gives a null image.
QImage takeScreenshotFile(const QUrl& uri);
