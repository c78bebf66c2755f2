#pragma once

#include "ArtworkFiles.h"
#include "ArtworkStaging.h"
#include "DownloadSlots.h"
#include "Support/Job.h"
#include "Support/SerialExecutor.h"

#include <QCoroTask>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>
#include <QUrl>

#include <chrono>
#include <optional>
#include <stop_token>

// Downloaded artwork (posters, channel logos, episode stills) kept as files on disk, so that an
// address seen once is not fetched again for seven days and no more than six downloads run at
// once however many cards a page shows. It knows nothing of images: it keeps whatever a server
// answers with a success status. It is also the program's only HTTP cache for artwork: a fresh
// file is used without asking the server, a stale one is fetched again in full.
//
// Lookups are main-thread coroutines. The bookkeeping (downloads in progress, slots, writes
// since the last sweep) lives on the main thread; every look at the directory, every move into
// it, the sweeps and the emptying run one at a time on the cache's own executor, and the
// transfers run on a pool of their own, one thread per slot.
class ArtworkCache final : public QObject
{
    Q_OBJECT

public:
    static constexpr int downloadSlots = 6;
    // The directory is swept again after this many files were written.
    static constexpr int writesPerSweep = 8;
    // A server that sends nothing for this long has failed the download.
    static constexpr std::chrono::milliseconds defaultInactivityTimeout{12'000};

    explicit ArtworkCache(QString root, std::chrono::milliseconds inactivityTimeout = defaultInactivityTimeout,
                          QObject *parent = nullptr);
    // Stops the downloads and waits for the file work that was started.
    ~ArtworkCache() override;

    // The user's cache directory, then "Quillmere/Artwork".
    [[nodiscard]] static QString defaultRoot();

    // A local file holding the artwork at `address`, or none when no copy can be had now (no
    // address, a failed or refused download, the cache was emptied meanwhile). A stale copy is
    // never returned in place of a failed download. Never throws. The first lookup of the cache
    // sweeps the directory first; lookups of one address while it downloads share the download.
    [[nodiscard]] QCoro::Task<std::optional<QString>> cachedFile(QUrl address);
    // Stops every download (their lookups find nothing) and removes every file.
    [[nodiscard]] QCoro::Task<void> clear();
    // Downloads waiting for one of the slots to come free.
    [[nodiscard]] int waitingDownloads() const { return m_slots.waiting(); }

private:
    using Download = Job<std::optional<QString>>;

    [[nodiscard]] static QCoro::Task<std::optional<QString>> download(QPointer<ArtworkCache> self, QUrl address,
                                                                      QString file, std::stop_token stop);
    [[nodiscard]] static QCoro::Task<std::optional<QString>> transfer(QPointer<ArtworkCache> self, QUrl address,
                                                                      QString file, std::stop_token stop);

    const QString m_root;
    // Downloads are written here and moved into the cache only once complete.
    const ArtworkStaging m_staging;
    const std::chrono::milliseconds m_inactivityTimeout;
    SerialExecutor m_files;
    QThreadPool m_transfers;
    DownloadSlots m_slots;
    QHash<QString, Download> m_active;
    bool m_didSweep = false;
    int m_writesSinceSweep = 0;
};
