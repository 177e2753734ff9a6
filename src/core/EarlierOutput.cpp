#include "core/EarlierOutput.h"

#include "runtime/FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

} // namespace

bool EarlierOutput::setAside(const QString& output) {
    struct stat standing {};
    if (lstat(encoded(output).constData(), &standing) != 0)
        return errno == ENOENT;
    if (S_ISDIR(standing.st_mode))
        return true;
    // The same folder keeps the move a rename on one file system.
    QByteArray folder = encoded(QFileInfo(output).absolutePath() + "/" + FolderPrefix) + "XXXXXX";
    if (!mkdtemp(folder.data()))
        return false;
    output_ = output;
    folder_ = QFile::decodeName(folder);
    if (std::rename(encoded(output).constData(), encoded(asidePath()).constData()) == 0)
        return true;
    forgetFolder();
    return false;
}

void EarlierOutput::bringBack() {
    if (folder_.isEmpty())
        return;
    // What a failed pass left under the name is no result: the earlier file takes its place.
    if (std::rename(encoded(asidePath()).constData(), encoded(output_).constData()) == 0)
        forgetFolder();
}

void EarlierOutput::discard() {
    if (folder_.isEmpty())
        return;
    rt::removeFile(asidePath());
    forgetFolder();
}

QString EarlierOutput::asidePath() const {
    return folder_ + "/" + rt::fileNameOf(output_);
}

// The folder goes only when empty: nothing the user put in it is lost.
void EarlierOutput::forgetFolder() {
    rmdir(encoded(folder_).constData());
    folder_.clear();
}
