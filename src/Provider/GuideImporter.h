#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Support/SerialExecutor.h"

#include <QCoroTask>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>
#include <stop_token>

class CatalogueDatabase;
class Clock;

// Replaces one playlist's programme guide with the provider's current XMLTV guide. The guide is
// streamed programme by programme; only what is on now or starts within seven days is kept,
// staged in a TEMP table in batches of 100 and swapped in with one transaction, so a failed or
// empty download leaves the previous guide in place. Afterwards, live channels without a guide
// id of their own are linked to guide channels by their titles. One call runs at a time, on the
// importer's executor.
class GuideImporter final
{
public:
    // `credentials` is absent when the caller could not read the login.
    GuideImporter(qint64 playlistID, std::optional<XtreamCredentials> credentials, QString databasePath,
                     const Clock &clock);
    ~GuideImporter();

    GuideImporter(const GuideImporter &) = delete;
    GuideImporter &operator=(const GuideImporter &) = delete;

    // The whole import on the importer's executor, with the window taken from the clock now;
    // yields the playlist's programme count after the swap.
    [[nodiscard]] QCoro::Task<int> run(std::stop_token stop);

    // The import itself, blocking the calling thread. Throws the provider client's errors,
    // CatalogueDatabaseError, XtreamAPIError (no login; nothing inside the window) and
    // CancellationError.
    [[nodiscard]] int importGuide(const QDateTime &now, const std::stop_token &stop);

private:
    struct Run;

    void accept(Run &run, const GuideProgramme &programme);
    void insert(Run &run);
    void swap(CatalogueDatabase &database);
    [[nodiscard]] int repairMappings(CatalogueDatabase &database) const;

    qint64 m_playlistID;
    std::optional<XtreamCredentials> m_credentials;
    QString m_databasePath;
    const Clock &m_clock;
    // Last: its destructor waits for a running import before the fields above go.
    SerialExecutor m_executor;
};
