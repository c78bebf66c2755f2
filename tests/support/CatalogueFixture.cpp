#include "CatalogueFixture.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CatalogueSchema.h"
#include "Catalogue/CategoryLanguage.h"
#include "CatalogueGenerator.h"

using namespace Qt::StringLiterals;

namespace {

std::optional<QString> numberText(std::optional<qint64> value)
{
    return value ? std::optional(QString::number(*value)) : std::nullopt;
}

QString secondsText(const QDateTime &moment)
{
    return QString::number(double(moment.toMSecsSinceEpoch()) / 1000.0, 'f', 3);
}

} // namespace

CatalogueFixture::CatalogueFixture()
    : m_path(m_directory.filePath(u"quillmere_catalogue.sqlite"_s))
{
    CatalogueSchema::prepare(m_path);
    m_database = std::make_unique<CatalogueDatabase>(m_path);
}

CatalogueFixture::~CatalogueFixture() = default;

void CatalogueFixture::addPlaylist(qint64 id, const QString &syncState)
{
    m_database->execute(u"INSERT INTO playlists (id, name, server_url, credential_ref, sync_state) "
                        "VALUES (?, 'Provider', 'http://provider.example', 'REF', ?)"_s,
                        {QString::number(id), syncState});
}

void CatalogueFixture::addCategory(qint64 playlistID, const Category &category, int sortOrder)
{
    m_database->execute(u"INSERT INTO categories (playlist_id, kind, provider_id, name, item_count, sort_order, language) "
                        "VALUES (?, ?, ?, ?, ?, ?, ?)"_s,
                        {QString::number(playlistID), kindText(category.kind), category.providerID, category.name,
                         QString::number(category.itemCount), QString::number(sortOrder),
                         CategoryLanguage::detect(category.name).key});
}

void CatalogueFixture::addItem(qint64 playlistID, const ContentItem &item)
{
    const QString guideID = item.epgChannelID.value_or(QString()).trimmed();
    const QString guideKey = (guideID.isEmpty() ? item.providerID : guideID).trimmed().toLower();
    m_database->execute(
        // An item already there is updated rather than replaced: a replaced row would leave the
        // item counts and title index behind, as its deletion fires no trigger.
        u"INSERT INTO content_items (playlist_id, kind, provider_id, category_id, title, subtitle, "
        "epg_channel_id, epg_channel_key, artwork_url, container_extension, sort_number, rating, added_at, genre) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (playlist_id, kind, provider_id) DO UPDATE SET "
        "category_id=excluded.category_id, title=excluded.title, subtitle=excluded.subtitle, "
        "epg_channel_id=excluded.epg_channel_id, epg_channel_key=excluded.epg_channel_key, "
        "artwork_url=excluded.artwork_url, container_extension=excluded.container_extension, "
        "sort_number=excluded.sort_number, rating=excluded.rating, added_at=excluded.added_at, genre=excluded.genre"_s,
        {QString::number(playlistID), kindText(item.kind), item.providerID, item.categoryID, item.title, item.subtitle,
         item.epgChannelID, guideKey, item.artworkURL, item.containerExtension, numberText(item.sortNumber),
         item.rating ? std::optional(QString::number(*item.rating)) : std::nullopt, numberText(item.addedAt),
         item.genre});
}

void CatalogueFixture::addCatalogue(qint64 playlistID, const GeneratedCatalogue &catalogue)
{
    m_database->execute(u"BEGIN IMMEDIATE"_s);
    for (qsizetype index = 0; index < catalogue.categories.size(); ++index)
        addCategory(playlistID, catalogue.categories.at(index), int(index));
    for (const ContentItem &item : catalogue.items)
        addItem(playlistID, item);
    m_database->execute(u"COMMIT"_s);
}

void CatalogueFixture::addProgramme(qint64 playlistID, const QString &channelID, const QString &title,
                                    const QDateTime &start, const QDateTime &end)
{
    m_database->execute(u"INSERT INTO epg_programmes (playlist_id, channel_id, channel_key, title, starts_at, ends_at) "
                        "VALUES (?, ?, ?, ?, ?, ?)"_s,
                        {QString::number(playlistID), channelID, channelID.trimmed().toLower(), title,
                         secondsText(start), secondsText(end)});
}

void CatalogueFixture::addFavourite(qint64 playlistID, CatalogueKind kind, const QString &providerID, double createdAt)
{
    m_database->execute(u"INSERT INTO favourites (playlist_id, content_provider_id, kind, created_at) VALUES (?, ?, ?, ?)"_s,
                        {QString::number(playlistID), providerID, kindText(kind), QString::number(createdAt, 'f', 3)});
}

void CatalogueFixture::hideCategory(qint64 playlistID, CatalogueKind kind, const QString &providerID)
{
    m_database->execute(u"INSERT INTO category_hidden (playlist_id, kind, provider_id) VALUES (?, ?, ?)"_s,
                        {QString::number(playlistID), kindText(kind), providerID});
}

void CatalogueFixture::hideLanguage(const QString &key)
{
    m_database->execute(u"INSERT INTO hidden_languages (key) VALUES (?)"_s, {key});
}
