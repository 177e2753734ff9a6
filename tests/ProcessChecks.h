#pragma once

#include <QFile>
#include <QString>
#include <sys/types.h>

// Whether a process exists and has not ended (a zombie has ended).
inline bool isRunning(pid_t pid) {
    QFile stat(QString("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype afterName = line.lastIndexOf(')');
    return afterName >= 0 && line.mid(afterName + 2, 1) != "Z";
}
