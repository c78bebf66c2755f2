#include "ArtworkCache.h"

#include "Support/Async.h"
#include "Support/HttpClient.h"
#include "Support/OversizedBodyError.h"
#include "Support/WebAddress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace {

// A reply that is not a success, or a body the disk would not take.
struct RefusedDownload
{
};

bool isFreshFile(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && ArtworkFiles::isFresh(info.lastModified(), QDateTime::currentDateTime());
}

void sweepDirectory(const QString &root)
{
    const QStringList removed = ArtworkFiles::sweep(ArtworkFiles::list(root), QDateTime::currentDateTime());
    for (const QString &path : removed)
        QFile::remove(path);
}

QString stagingParent(const QString &root)
{
    return root + u"/.partial"_s;
}

void removeFiles(const QString &directory)
{
    for (const ArtworkFiles::Entry &entry : ArtworkFiles::list(directory))
        QFile::remove(entry.path);
}

// Downloads the body into a file of the staging directory; runs on a transfer thread.
std::optional<QString> fetch(const QUrl &address, const QString &staging, std::chrono::milliseconds timeout,
                             const std::stop_token &stop)
{
    if (!isWebAddress(address))
        return std::nullopt;
    QTemporaryFile file(staging + u"/XXXXXX.part"_s);
    if (!file.open())
        return std::nullopt;
    qint64 received = 0;
    try {
        HttpClient::stream(
            {address, timeout},
            [](int status) {
                if (status < 200 || status > 299)
                    throw RefusedDownload();
            },
            [&file, &received](QByteArrayView chunk) {
                // No poster is this large; a server that sends more is not sending artwork.
                received += chunk.size();
                if (received > HttpClient::maximumBodyBytes)
                    throw OversizedBodyError();
                if (file.write(chunk.data(), chunk.size()) != chunk.size())
                    throw RefusedDownload();
            },
            stop);
    } catch (...) {
        return std::nullopt;
    }
    if (!file.flush())
        return std::nullopt;
    file.setAutoRemove(false);
    return file.fileName();
}

} // namespace

ArtworkCache::ArtworkCache(QString root, std::chrono::milliseconds inactivityTimeout, QObject *parent)
    : QObject(parent)
    , m_root(std::move(root))
    , m_staging(stagingParent(m_root))
    , m_inactivityTimeout(inactivityTimeout)
    , m_slots(downloadSlots)
{
    m_transfers.setMaxThreadCount(downloadSlots);
}

ArtworkCache::~ArtworkCache()
{
    for (const Download &download : std::as_const(m_active))
        download.cancel();
    m_transfers.waitForDone();
    m_files.waitForDone();
}

QString ArtworkCache::defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u"/Quillmere/Artwork"_s;
}

QCoro::Task<std::optional<QString>> ArtworkCache::cachedFile(QUrl address)
{
    if (address.isEmpty())
        co_return std::nullopt;
    QPointer<ArtworkCache> self(this);
    if (!m_didSweep) {
        m_didSweep = true;
        // Queued first on the executor, so every lookup's own look at the directory comes after
        // it. Partial downloads of programs that have ended go too.
        (void)m_files.run([root = m_root] {
            ArtworkStaging::removeAbandoned(stagingParent(root));
            sweepDirectory(root);
        });
    }
    const QString key = ArtworkFiles::key(address);
    const QString file = QDir(m_root).filePath(key + u'.' + ArtworkFiles::extension(address));
    const bool fresh = co_await Async::await(m_files.run([file] { return isFreshFile(file); }));
    if (!self)
        co_return std::nullopt;
    if (fresh)
        co_return file;

    Download download = self->m_active.value(key);
    const bool started = !download.isValid();
    if (started) {
        download = Download::start(
            [self, address, file](std::stop_token stop) { return ArtworkCache::download(self, address, file, stop); });
        self->m_active.insert(key, download);
    }
    std::optional<QString> result;
    try {
        result = co_await download.value();
    } catch (...) {
        result.reset();
    }
    if (started && self && self->m_active.value(key) == download)
        self->m_active.remove(key);
    co_return result;
}

QCoro::Task<std::optional<QString>> ArtworkCache::download(QPointer<ArtworkCache> self, QUrl address, QString file,
                                                           std::stop_token stop)
{
    if (!self)
        co_return std::nullopt;
    // Held from before the transfer until the file is in place and any sweep it triggers is
    // done, so that file work never piles up behind more than six downloads.
    co_await self->m_slots.acquire();
    const auto release = qScopeGuard([self] {
        if (self)
            self->m_slots.release();
    });
    if (!self || stop.stop_requested())
        co_return std::nullopt;
    co_return co_await transfer(self, std::move(address), std::move(file), std::move(stop));
}

QCoro::Task<std::optional<QString>> ArtworkCache::transfer(QPointer<ArtworkCache> self, QUrl address, QString file,
                                                           std::stop_token stop)
{
    const std::optional<QString> staged = co_await Async::await(Async::runOnPool(
        self->m_transfers, [address, staging = self->m_staging.path(), timeout = self->m_inactivityTimeout, stop] {
            return fetch(address, staging, timeout, stop);
        }));
    if (!staged)
        co_return std::nullopt;
    if (!self || stop.stop_requested()) {
        QFile::remove(*staged);
        co_return std::nullopt;
    }
    const bool placed =
        co_await Async::await(self->m_files.run([staged = *staged, file] { return ArtworkFiles::place(staged, file); }));
    if (!self || !placed)
        co_return std::nullopt;
    if (++self->m_writesSinceSweep >= writesPerSweep) {
        self->m_writesSinceSweep = 0;
        co_await Async::await(self->m_files.run([root = self->m_root] { sweepDirectory(root); }));
    }
    co_return file;
}

QCoro::Task<void> ArtworkCache::clear()
{
    for (const Download &download : std::as_const(m_active))
        download.cancel();
    co_await Async::await(m_files.run([root = m_root] { removeFiles(root); }));
}
