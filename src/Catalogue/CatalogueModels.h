#pragma once

#include <QDateTime>
#include <QHashFunctions>
#include <QString>
#include <QUrl>

#include <array>
#include <optional>

// Plain value records that carry catalogue data between the database, the provider client,
// the store, the models and the views. All are copied freely and compare over every field.

enum class CatalogueKind { Live, Movie, Series };

inline constexpr std::array<CatalogueKind, 3> allCatalogueKinds{CatalogueKind::Live, CatalogueKind::Movie,
                                                                CatalogueKind::Series};

// The stored and bound text of a kind: "live", "movie", "series".
[[nodiscard]] QString kindText(CatalogueKind kind);
// The name of a kind's page: "Live TV", "Movies", "Series".
[[nodiscard]] QString kindTitle(CatalogueKind kind);
// Exactly one of the three texts (case-sensitive); anything else is no kind.
[[nodiscard]] std::optional<CatalogueKind> catalogueKindFromText(QStringView text);

// The key under which guide programmes are found: a guide channel id trimmed and lower-cased.
[[nodiscard]] QString guideChannelKey(const QString &channelID);
// An artwork address from stored or provider text; none for no text, an empty one or no address.
[[nodiscard]] std::optional<QUrl> optionalAddress(const std::optional<QString> &text);

struct NowProgramme
{
    QString title;
    QDateTime start;
    QDateTime end;

    friend bool operator==(const NowProgramme &, const NowProgramme &) = default;
};

struct MediaItem
{
    CatalogueKind kind = CatalogueKind::Live;
    QString providerID;
    QString title;
    std::optional<QString> plot;
    std::optional<QUrl> artworkURL;
    std::optional<QString> containerExtension;
    std::optional<QString> epgChannelID;
    QString epgKey;
    std::optional<qint64> number;
    std::optional<double> rating;
    std::optional<QDateTime> addedAt;
    std::optional<QString> genre;
    std::optional<QString> categoryID;
    bool isFavourite = false;
    std::optional<NowProgramme> now;

    // The kind's text, a colon and the provider id.
    [[nodiscard]] QString id() const;

    friend bool operator==(const MediaItem &, const MediaItem &) = default;
};

struct LiveProgramme
{
    QString id;
    std::optional<QString> channelID;
    QString title;
    std::optional<QString> description;
    QDateTime start;
    QDateTime end;

    friend bool operator==(const LiveProgramme &, const LiveProgramme &) = default;
};

// The compact form of an entry that playback-address, favourite and live-play calls take.
struct CatalogueItem
{
    QString id; // the provider id
    QString title;
    std::optional<QString> subtitle;
    std::optional<QString> epgChannelID;
    std::optional<QUrl> artworkURL;
    std::optional<QString> containerExtension;
    std::optional<LiveProgramme> now;
    std::optional<LiveProgramme> next;
    bool isFavourite = false;

    [[nodiscard]] static CatalogueItem from(const MediaItem &item);

    friend bool operator==(const CatalogueItem &, const CatalogueItem &) = default;
};

struct BrowseCategory
{
    CatalogueKind kind = CatalogueKind::Live;
    QString providerID;
    QString name;
    qint64 itemCount = 0;
    QString language = QStringLiteral("en");
    bool hidden = false;

    [[nodiscard]] QString id() const;

    friend bool operator==(const BrowseCategory &, const BrowseCategory &) = default;
};

// What a browse list shows: every visible entry, the favourites, or one category.
class BrowseScope
{
public:
    enum class Type { All, Favourites, Category };

    [[nodiscard]] static BrowseScope all() { return BrowseScope(Type::All, {}); }
    [[nodiscard]] static BrowseScope favourites() { return BrowseScope(Type::Favourites, {}); }
    [[nodiscard]] static BrowseScope category(QString providerID)
    {
        return BrowseScope(Type::Category, std::move(providerID));
    }

    [[nodiscard]] Type type() const { return m_type; }
    // The category's provider id; empty unless the type is Category.
    [[nodiscard]] const QString &categoryID() const { return m_categoryID; }
    // The form kept in user settings: "all", "fav" or the category's provider id, with
    // "category:" in front of an id that is "all", "fav" or begins with that mark itself.
    [[nodiscard]] QString settingsText() const;
    // The scope a settings text names; any text but "all" and "fav" is a category's provider id.
    [[nodiscard]] static BrowseScope fromSettingsText(const QString &text);

    friend bool operator==(const BrowseScope &, const BrowseScope &) = default;

private:
    BrowseScope(Type type, QString categoryID)
        : m_type(type)
        , m_categoryID(std::move(categoryID))
    {
    }

    Type m_type = Type::All;
    QString m_categoryID;
};

enum class BrowseSort { Provider, Title, Added, Rating };

[[nodiscard]] QString sortText(BrowseSort sort);
[[nodiscard]] std::optional<BrowseSort> browseSortFromText(QStringView text);

struct SeriesEpisode
{
    QString seriesID;
    QString providerID;
    int seasonNumber = 0;
    int episodeNumber = 0;
    QString title;
    std::optional<QString> plot;
    std::optional<QUrl> artworkURL;
    std::optional<QString> containerExtension;
    std::optional<qint64> durationSeconds;

    // The series id, a colon and the episode's provider id.
    [[nodiscard]] QString id() const;

    friend bool operator==(const SeriesEpisode &, const SeriesEpisode &) = default;
};

// One watch-history row: the item (for an episode, its series), the episode when there is one,
// and the saved position.
struct LibraryEntry
{
    MediaItem item;
    std::optional<SeriesEpisode> episode;
    qint64 position = 0;
    std::optional<qint64> duration;
    QDateTime updatedAt;

    // "ep:" and the episode's provider id for an episode, else the item's id.
    [[nodiscard]] QString id() const;

    friend bool operator==(const LibraryEntry &, const LibraryEntry &) = default;
};

struct CatalogueSnapshot
{
    int playlistCount = 0;
    int readyPlaylistCount = 0;
    qint64 liveCount = 0;
    qint64 movieCount = 0;
    qint64 seriesCount = 0;

    friend bool operator==(const CatalogueSnapshot &, const CatalogueSnapshot &) = default;
};

struct Playlist
{
    qint64 id = 0;
    QString name;
    QUrl serverURL;
    QString credentialReference;
    QString syncState;
    int syncProgress = 0;
    std::optional<QDateTime> lastSyncedAt;

    friend bool operator==(const Playlist &, const Playlist &) = default;
};

struct XtreamCredentials
{
    QUrl serverURL;
    QString username;
    QString password;

    friend bool operator==(const XtreamCredentials &, const XtreamCredentials &) = default;
};

struct GuideProgramme
{
    QString channelID;
    QString title;
    std::optional<QString> description;
    QDateTime start;
    QDateTime end;

    // Channel id, start, end and title joined by colons; times as seconds since 1970 in the
    // shortest decimal form that always shows a fraction ("3600.0").
    [[nodiscard]] QString id() const;

    friend bool operator==(const GuideProgramme &, const GuideProgramme &) = default;
};

struct Category
{
    CatalogueKind kind = CatalogueKind::Live;
    QString providerID;
    QString name;
    qint64 itemCount = 0;

    [[nodiscard]] QString id() const;

    friend bool operator==(const Category &, const Category &) = default;
};

struct ContentItem
{
    CatalogueKind kind = CatalogueKind::Live;
    QString providerID;
    std::optional<QString> categoryID;
    QString title;
    std::optional<QString> subtitle;
    std::optional<QString> epgChannelID;
    std::optional<QString> artworkURL; // as the provider sent it
    std::optional<QString> containerExtension;
    std::optional<qint64> sortNumber;
    std::optional<double> rating;
    std::optional<qint64> addedAt; // seconds since 1970
    std::optional<QString> genre;

    friend bool operator==(const ContentItem &, const ContentItem &) = default;
};

inline size_t qHash(const BrowseScope &scope, size_t seed = 0)
{
    return qHashMulti(seed, int(scope.type()), scope.categoryID());
}
