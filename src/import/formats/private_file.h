// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>
#include <optional>

// Exports hold secrets, so their files are readable by the owner alone from the first byte, and
// a file is replaced only once its new content is completely written: a failed export leaves
// whatever was at the path untouched.
struct FileWriteError
{
    QString path;
    QString reason; // the system's words: "Permission denied"
};

std::optional<FileWriteError> writePrivateFile(const QString& path, const QByteArray& bytes);

// "codes" (or "codes.png") and 2 -> "codes-2.png": the name of each of several images.
QString numberedPngPath(const QString& base, qsizetype number);

// Each image as a PNG at numberedPngPath(base, 1), (base, 2), ...; stops at the first failure.
std::optional<FileWriteError> writeNumberedPngs(const QString& base, const QList<QImage>& images);
