#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The file-system calls the program makes: file tests, sizes, names and extensions, type
// descriptions and whole text files. Paths use "/"; every call reports failure through its
// result and never throws.
namespace rt {

// Whether a regular file (after following links) exists at path; folders and devices are not.
bool fileExists(const QString& path);

// The size in bytes of the regular file at path; nothing when there is none or it cannot be read.
std::optional<qint64> fileSize(const QString& path);

// Removes the file (or link) at path; false when nothing was removed.
bool removeFile(const QString& path);

// The last component of path: "/a/Clip.MP4" gives "Clip.MP4". Trailing "/" are ignored.
QString fileNameOf(const QString& path);

// The text after the last "." of the path's last component, in its own case; empty when that
// component has no ".".
QString extensionOf(const QString& path);

// The desktop's description of the file's type ("MPEG-4 video"), from its name and content.
QString typeDescription(const QString& path);

// The lines of a text file. CR LF, LF and CR each end a line; a line end at the very end adds
// no empty line; a leading UTF-8 byte-order mark is dropped. Nothing when the file cannot be
// opened or read to its end.
std::optional<QStringList> readTextLines(const QString& path);

// Writes text (UTF-8) to path, replacing any file there once the whole text is written; where no
// temporary file can be made beside it, straight into that file. False when it could not be
// written.
bool writeText(const QString& path, const QString& text);

} // namespace rt
