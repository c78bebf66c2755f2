#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Support/SerialExecutor.h"

#include <QCoroTask>
#include <QList>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <optional>
#include <stop_token>

class CatalogueDatabase;

// Downloads one playlist's whole catalogue (live channels, films, series, each with their
// categories) and replaces the playlist's rows in one step. Everything downloaded goes first
// into TEMP staging tables on a connection of the importer's own; the visible catalogue
// changes only in the final transaction, so a failed, empty or cancelled download leaves the
// previous catalogue exactly as it was. One call runs at a time, on the importer's executor.
class CatalogueImporter final
{
public:
    // A user-facing step text and a percentage (0-100).
    using ProgressCallback = std::function<void(const QString &text, int percent)>;

    // Made on the thread that awaits run(): progress is delivered there.
    CatalogueImporter(QString databasePath, qint64 playlistID);
    ~CatalogueImporter();

    CatalogueImporter(const CatalogueImporter &) = delete;
    CatalogueImporter &operator=(const CatalogueImporter &) = delete;

    // The whole import on the importer's executor. Progress calls arrive on the constructing
    // thread in order, and the import waits for each to have run before it goes on. Throws
    // what importCatalogue throws.
    [[nodiscard]] QCoro::Task<void> run(XtreamCredentials credentials, ProgressCallback progress, std::stop_token stop);

    // The import itself, blocking the calling thread; progress is called in line. Throws the
    // provider client's errors, CatalogueDatabaseError, XtreamAPIError for an empty catalogue
    // and CancellationError (also when the playlist was removed meanwhile).
    void importCatalogue(const XtreamCredentials &credentials, const ProgressCallback &progress,
                         const std::stop_token &stop);

private:
    void insertCategories(CatalogueDatabase &database, const QList<Category> &categories);
    // The binds of each item's insert into staging; thread-safe.
    [[nodiscard]] QList<QList<std::optional<QString>>> itemRows(const QList<ContentItem> &items) const;
    void insertItems(CatalogueDatabase &database, const QList<QList<std::optional<QString>>> &rows);
    void commit(CatalogueDatabase &database);

    QString m_databasePath;
    qint64 m_playlistID;
    int m_categoryOrder = 0;
    QObject m_progressContext;
    std::atomic<bool> m_closing = false;
    // Last: its destructor waits for a running import before the fields above go.
    SerialExecutor m_executor;
};
