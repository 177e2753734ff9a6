#include "runtime/ProgramFolder.h"

#include <QCoreApplication>

namespace rt {

namespace {
QString& overrideFolder() {
    static QString folder;
    return folder;
}
} // namespace

QString programFolder() {
    if (!overrideFolder().isEmpty())
        return overrideFolder();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString& folder) {
    QString cleaned = folder;
    while (cleaned.size() > 1 && cleaned.endsWith('/'))
        cleaned.chop(1);
    overrideFolder() = cleaned;
}

} // namespace rt
