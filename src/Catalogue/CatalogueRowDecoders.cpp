// Turning result rows into records: items, categories, guide programmes and history entries.

#include "CataloguePageReader.h"

#include "SqliteRow.h"
#include "Support/CheckedConversion.h"

using namespace Qt::StringLiterals;

namespace {

// None for NULL and for text that is only white space.
std::optional<QString> visibleText(std::optional<QString> text)
{
    if (!text || text->trimmed().isEmpty())
        return std::nullopt;
    return text;
}

// "title<US>start<US>end" with both times as seconds since 1970; anything else is no programme.
std::optional<NowProgramme> nowProgramme(const std::optional<QString> &text)
{
    if (!text)
        return std::nullopt;
    const QStringList pieces = text->split(QChar(31));
    if (pieces.size() != 3)
        return std::nullopt;
    const auto moment = [](const QString &text) -> std::optional<QDateTime> {
        bool ok = false;
        const double seconds = text.toDouble(&ok);
        return ok ? momentFromEpochSeconds(seconds) : std::nullopt;
    };
    const std::optional<QDateTime> start = moment(pieces.at(1));
    const std::optional<QDateTime> end = moment(pieces.at(2));
    if (!start || !end)
        return std::nullopt;
    return NowProgramme{pieces.at(0), *start, *end};
}

} // namespace

std::optional<MediaItem> CataloguePageReader::mediaItem(const SqliteRow &row, bool nowColumn)
{
    const std::optional<CatalogueKind> kind = catalogueKindFromText(row.text(0).value_or(QString()));
    const std::optional<QString> providerID = row.text(1);
    if (!kind || !providerID)
        return std::nullopt;
    MediaItem item;
    item.kind = *kind;
    item.providerID = *providerID;
    item.title = row.text(2).value_or(u"Untitled"_s);
    item.plot = visibleText(row.text(3));
    item.artworkURL = optionalAddress(row.text(4));
    item.containerExtension = row.text(5);
    item.epgChannelID = row.text(6);
    item.epgKey = row.text(7).value_or(providerID->toLower());
    item.number = row.integer(8);
    item.rating = row.real(9);
    if (const std::optional<qint64> added = row.integer(10))
        item.addedAt = QDateTime::fromSecsSinceEpoch(*added, Qt::UTC);
    item.genre = row.text(11);
    item.categoryID = row.text(12);
    item.isFavourite = row.integer(13).value_or(0) != 0;
    if (nowColumn)
        item.now = nowProgramme(row.text(14));
    return item;
}

std::optional<BrowseCategory> CataloguePageReader::browseCategory(const SqliteRow &row, CatalogueKind kind)
{
    const std::optional<QString> providerID = row.text(0);
    const std::optional<QString> name = row.text(1);
    if (!providerID || !name)
        return std::nullopt;
    return BrowseCategory{kind, *providerID, *name, row.integer(2).value_or(0), row.text(3).value_or(u"en"_s),
                          row.integer(4).value_or(0) != 0};
}

std::optional<GuideProgramme> CataloguePageReader::guideProgramme(const SqliteRow &row, const QString &epgKey)
{
    // A programme without readable times cannot be placed anywhere.
    const std::optional<QDateTime> start = row.moment(3);
    const std::optional<QDateTime> end = row.moment(4);
    if (!start || !end)
        return std::nullopt;
    return GuideProgramme{row.text(0).value_or(epgKey), row.text(1).value_or(u"Programme"_s), row.text(2), *start, *end};
}

std::optional<LibraryEntry> CataloguePageReader::libraryEntry(const SqliteRow &row)
{
    LibraryEntry entry;
    entry.position = row.integer(23).value_or(0);
    entry.duration = row.integer(24);
    entry.updatedAt = row.moment(25).value_or(QDateTime::fromSecsSinceEpoch(0, Qt::UTC));
    if (std::optional<MediaItem> item = mediaItem(row, false)) {
        entry.item = std::move(*item);
        return entry;
    }

    // No item of that id: the row is a series episode, shown under its series.
    const std::optional<QString> episodeID = row.text(14);
    const std::optional<QString> seriesID = row.text(15);
    if (!episodeID || !seriesID)
        return std::nullopt;
    SeriesEpisode episode;
    episode.seriesID = *seriesID;
    episode.providerID = *episodeID;
    episode.seasonNumber = int(row.integer(16).value_or(0));
    episode.episodeNumber = int(row.integer(17).value_or(0));
    episode.title = row.text(18).value_or(u"Episode"_s);
    episode.plot = visibleText(row.text(19));
    episode.artworkURL = optionalAddress(row.text(20));
    episode.containerExtension = row.text(21);
    episode.durationSeconds = row.integer(22);

    MediaItem &series = entry.item;
    series.kind = CatalogueKind::Series;
    series.providerID = row.text(28).value_or(episode.seriesID);
    series.title = row.text(26).value_or(episode.title);
    series.plot = episode.plot;
    series.artworkURL = optionalAddress(row.text(27));
    if (!series.artworkURL)
        series.artworkURL = episode.artworkURL;
    entry.episode = std::move(episode);
    return entry;
}
