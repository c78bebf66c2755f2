#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Support/Job.h"

#include <QCoroTask>
#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include <stop_token>

class CatalogueStore;
class GuideState;

// Reads the day's programmes of the guide rows that exist now (those on screen and a margin
// around them) into the guide's programme cache, a batch of channels at a time through the
// store's page reader. Rows ask for their key while they exist; a row that scrolled away before
// its turn is never read, so flicking through thousands of channels reads only where it stops.
// Each key is read once until the cache is emptied; a failed read stores an empty list.
class GuideProgrammeFetcher final : public QObject
{
    Q_OBJECT

public:
    // What one row wants: its cache key, its guide key and the day.
    struct Request
    {
        QString cacheKey;
        QString epgKey;
        QDateTime dayStart;
    };

    GuideProgrammeFetcher(GuideState &state, CatalogueStore &store, QObject *parent = nullptr);
    ~GuideProgrammeFetcher() override;

    // Counted: every want() is matched by one release() of the same key.
    void want(const Request &request);
    void release(const QString &cacheKey);

    // Whether any row asks for programmes now.
    [[nodiscard]] bool hasRows() const { return !m_wanted.isEmpty(); }
    [[nodiscard]] bool isReading() const { return m_pumping; }

    // Channels read in one call of the reader.
    static constexpr int batchSize = 8;

Q_SIGNALS:
    // Every row that asks has its programmes in the cache.
    void settled();

private:
    [[nodiscard]] QList<Request> nextBatch() const;
    void startPump();
    static QCoro::Task<void> pump(QPointer<GuideProgrammeFetcher> self, std::stop_token stop);
    void store(int generation, const QList<Request> &batch, const QHash<QString, QList<GuideProgramme>> &read);

    GuideState &m_state;
    CatalogueStore &m_store;
    QHash<QString, Request> m_wanted;
    QHash<QString, int> m_wantCounts;
    // Raised whenever the cache is emptied or replaced, so that reads begun before are dropped.
    int m_generation = 0;
    bool m_pumping = false;
    Job<void> m_pump;
};
