#pragma once

#include <QDir>
#include <QFileInfo>
#include <QStringList>

// What this process's file descriptors are open on, one path a descriptor; a file deleted while
// open shows as its former path followed by " (deleted)".
inline QStringList openFileTargets()
{
    QStringList targets;
    for (const QFileInfo &descriptor : QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot))
        targets.append(descriptor.symLinkTarget());
    return targets;
}
