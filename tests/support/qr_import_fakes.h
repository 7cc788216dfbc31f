// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/qr_importer.h"
#include "support/fake_image_file_reader.h"
#include "support/fake_qr_detector.h"
#include "support/fake_screen_capture.h"
#include "support/qr_test_links.h"

// An importer over fake screens, QR detector and image files, for fixtures to derive from.
struct QRImportFakes
{
    FakeScreenCapture screens;
    FakeQRDetector detector;
    FakeImageFileReader files;
    QRImporter importer{screens, detector, files};
};
