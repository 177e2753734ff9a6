#include "runtime/FileSystem.h"

#include <QFile>
#include <QMimeDatabase>
#include <QSaveFile>
#include <filesystem>
#include <system_error>

namespace rt {

namespace {

// File names are bytes on Linux; QFile's encoding keeps names that are not valid UTF-8 intact.
std::filesystem::path nativePath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines << text.mid(start, i - start);
        if (text[i] == '\r' && i + 1 < size && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        lines << text.mid(start);
    return lines;
}

} // namespace

bool fileExists(const QString& path) {
    std::error_code error;
    return !path.isEmpty() && std::filesystem::is_regular_file(nativePath(path), error);
}

std::optional<qint64> fileSize(const QString& path) {
    if (!fileExists(path))
        return std::nullopt;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(nativePath(path), error);
    if (error)
        return std::nullopt;
    return static_cast<qint64>(size);
}

bool removeFile(const QString& path) {
    std::error_code error;
    return !path.isEmpty() && std::filesystem::remove(nativePath(path), error);
}

QString fileNameOf(const QString& path) {
    qsizetype end = path.size();
    while (end > 1 && path[end - 1] == '/')
        --end;
    const QString trimmed = path.left(end);
    return trimmed.mid(trimmed.lastIndexOf('/') + 1);
}

QString extensionOf(const QString& path) {
    const QString name = fileNameOf(path);
    const qsizetype dot = name.lastIndexOf('.');
    return dot < 0 ? QString() : name.mid(dot + 1);
}

QString typeDescription(const QString& path) {
    static const QMimeDatabase database;
    return database.mimeTypeForFile(path).comment();
}

std::optional<QStringList> readTextLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    return splitLines(QString::fromUtf8(bytes));
}

bool writeText(const QString& path, const QString& text) {
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace rt
