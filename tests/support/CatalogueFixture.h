#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class CatalogueDatabase;
struct GeneratedCatalogue;

// A catalogue file in a temporary directory, created with the real schema, and a writer that
// puts rows into it the way an import leaves them (guide keys and category languages filled in).
class CatalogueFixture final
{
public:
    CatalogueFixture();
    ~CatalogueFixture();

    [[nodiscard]] QString path() const { return m_path; }
    [[nodiscard]] CatalogueDatabase &database() { return *m_database; }

    void addPlaylist(qint64 id, const QString &syncState = QStringLiteral("ready"));
    void addCategory(qint64 playlistID, const Category &category, int sortOrder = 0);
    void addItem(qint64 playlistID, const ContentItem &item);
    // Categories and items of a generated catalogue, in one transaction.
    void addCatalogue(qint64 playlistID, const GeneratedCatalogue &catalogue);
    void addProgramme(qint64 playlistID, const QString &channelID, const QString &title, const QDateTime &start,
                      const QDateTime &end);
    void addFavourite(qint64 playlistID, CatalogueKind kind, const QString &providerID, double createdAt = 0);
    void hideCategory(qint64 playlistID, CatalogueKind kind, const QString &providerID);
    void hideLanguage(const QString &key);

private:
    QTemporaryDir m_directory;
    QString m_path;
    std::unique_ptr<CatalogueDatabase> m_database;
};
