#include "ArtworkStaging.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {

const QString lockSuffix = u".lock"_s;

// A lock that only a program that has ended gives up: held at any age while its program runs.
std::unique_ptr<QLockFile> lockFor(const QString &folder)
{
    auto lock = std::make_unique<QLockFile>(folder + lockSuffix);
    lock->setStaleLockTime(0);
    return lock;
}

} // namespace

ArtworkStaging::ArtworkStaging(const QString &parent)
    : m_path(QDir(parent).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces)))
    , m_lock(lockFor(m_path))
{
    // The lock comes first: a folder without a held lock beside it is abandoned.
    QDir().mkpath(parent);
    (void)m_lock->tryLock();
    QDir().mkpath(m_path);
}

ArtworkStaging::~ArtworkStaging()
{
    QDir(m_path).removeRecursively();
}

void ArtworkStaging::removeAbandoned(const QString &parent)
{
    const QDir directory(parent);
    for (const QString &name : directory.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString folder = directory.filePath(name);
        // Held: its program runs. Taken: its program has ended, and the lock goes with the folder.
        const std::unique_ptr<QLockFile> lock = lockFor(folder);
        if (lock->tryLock())
            QDir(folder).removeRecursively();
    }
    for (const QString &name : directory.entryList(QDir::Files | QDir::Hidden)) {
        if (name.endsWith(lockSuffix)) {
            // The lock of a program that ended before it made its folder.
            const std::unique_ptr<QLockFile> lock = lockFor(directory.filePath(name.chopped(lockSuffix.size())));
            (void)lock->tryLock();
        } else {
            QFile::remove(directory.filePath(name));
        }
    }
}
