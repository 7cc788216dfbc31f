// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qt_image_file_reader.h"

#include <QFile>
#include <QImageReader>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens the path only when it is a regular file. A named pipe, a device or a socket would
// make the decoder wait for data that may never come; opening without blocking and asking
// the opened descriptor (not the name, which could change in between) rules them out.
int openRegularFile(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return -1;
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::optional<QImage> QtImageFileReader::loadImage(const QString& path) const
{
    const int fd = openRegularFile(path);
    if (fd < 0)
        return std::nullopt;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    QImageReader reader(&file);
    // Photos may carry their orientation, mirroring included, only as metadata, and a
    // mirrored QR code does not decode.
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        return std::nullopt;
    return image;
}
