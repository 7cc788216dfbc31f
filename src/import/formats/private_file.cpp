// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/formats/private_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

std::optional<FileWriteError> writePrivateFile(const QString& path, const QByteArray& bytes)
{
    const QFileInfo target(path);
    if (target.isDir())
        return FileWriteError{path, QCoreApplication::translate("PrivateFile", "it is a folder")};
    // The temporary file is created with mode 0600 beside the target, so the rename below is
    // atomic and the secrets are never readable by others, not even for a moment.
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() +
                        QStringLiteral(".XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return FileWriteError{path, file.errorString()};
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(file.fileName()).toStdString(),
                            QFile::encodeName(target.absoluteFilePath()).toStdString(), error);
    if (error)
        return FileWriteError{path, QString::fromStdString(error.message())};
    file.setAutoRemove(false);
    return std::nullopt;
}

QString numberedPngPath(const QString& base, qsizetype number)
{
    QString stem = base;
    if (stem.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        stem.chop(4);
    return QStringLiteral("%1-%2.png").arg(stem).arg(number);
}

std::optional<FileWriteError> writeNumberedPngs(const QString& base, const QList<QImage>& images)
{
    for (qsizetype i = 0; i < images.size(); ++i) {
        const QString path = numberedPngPath(base, i + 1);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (images[i].isNull() || !images[i].save(&buffer, "PNG"))
            return FileWriteError{
                path, QCoreApplication::translate("PrivateFile", "the image could not be encoded")};
        if (std::optional<FileWriteError> error = writePrivateFile(path, png))
            return error;
    }
    return std::nullopt;
}
