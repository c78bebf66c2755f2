// The episode-list reply of XtreamDocuments: providers send seasons as a map by season number,
// a plain list, lists of lists or single objects, so the reply is searched for objects that carry
// an episode id wherever they stand.

#include "XtreamDocuments.h"

#include "XtreamAPIError.h"
#include "XtreamValueReader.h"

#include <QSet>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;
using XtreamValueReader::Value;

namespace XtreamDocuments {

namespace {

const std::initializer_list<std::string_view> episodeIDKeys = {"id", "episode_id", "episodeId", "stream_id"};

std::optional<int> smallInteger(std::optional<qint64> value)
{
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(*value);
}

std::optional<int> integerValue(simdjson::dom::object object, std::initializer_list<std::string_view> keys)
{
    const std::optional<Value> found = XtreamValueReader::value(object, keys);
    return found ? smallInteger(found->integer()) : std::nullopt;
}

std::optional<int> seasonOfName(std::string_view name)
{
    return smallInteger(XtreamValueReader::decimalInteger(name));
}

// Season names in numeric order; names that are not numbers follow in text order.
bool numericSort(std::string_view a, std::string_view b)
{
    constexpr qint64 notANumber = std::numeric_limits<qint64>::max();
    const qint64 numberA = XtreamValueReader::decimalInteger(a).value_or(notANumber);
    const qint64 numberB = XtreamValueReader::decimalInteger(b).value_or(notANumber);
    if (numberA != numberB)
        return numberA < numberB;
    return a < b;
}

class EpisodeCollector
{
public:
    explicit EpisodeCollector(const QString &seriesID)
        : m_seriesID(seriesID)
    {
    }

    void readContainer(simdjson::dom::element value, int fallbackSeason)
    {
        simdjson::dom::array array;
        simdjson::dom::object object;
        if (!value.get_array().get(array)) {
            if (XtreamValueReader::isArrayOfObjects(array)) {
                for (const simdjson::dom::element element : array)
                    takeIfEpisode(element.get_object().value_unsafe(), fallbackSeason);
            } else {
                for (const simdjson::dom::element element : array)
                    readContainer(element, fallbackSeason);
            }
        } else if (!value.get_object().get(object) && !takeIfEpisode(object, fallbackSeason)) {
            readSeasons(object, fallbackSeason);
        }
    }

    [[nodiscard]] QList<SeriesEpisode> sortedEpisodes()
    {
        std::stable_sort(m_episodes.begin(), m_episodes.end(), [](const SeriesEpisode &a, const SeriesEpisode &b) {
            return std::tie(a.seasonNumber, a.episodeNumber, a.providerID)
                < std::tie(b.seasonNumber, b.episodeNumber, b.providerID);
        });
        return std::move(m_episodes);
    }

private:
    // An object without an episode id is a map of seasons by number.
    void readSeasons(simdjson::dom::object object, int fallbackSeason)
    {
        QList<simdjson::dom::key_value_pair> seasons;
        for (const simdjson::dom::key_value_pair member : object)
            seasons.append(member);
        std::sort(seasons.begin(), seasons.end(),
                  [](const auto &a, const auto &b) { return numericSort(a.key, b.key); });
        for (const simdjson::dom::key_value_pair &season : std::as_const(seasons))
            readContainer(season.value, seasonOfName(season.key).value_or(fallbackSeason));
    }

    // Returns whether the object is an episode (taken, or skipped as a repeat).
    bool takeIfEpisode(simdjson::dom::object object, int fallbackSeason)
    {
        std::optional<QString> providerID = XtreamValueReader::string(object, episodeIDKeys);
        if (!providerID)
            return false;
        if (!m_taken.contains(*providerID)) {
            m_taken.insert(*providerID);
            m_episodes.append(makeEpisode(object, std::move(*providerID), fallbackSeason));
        }
        return true;
    }

    [[nodiscard]] SeriesEpisode makeEpisode(simdjson::dom::object object, QString providerID, int fallbackSeason) const
    {
        simdjson::dom::object info;
        const bool hasInfo = !object.at_key("info").get_object().get(info);
        const auto fromEpisodeOrInfo = [&](std::initializer_list<std::string_view> episodeKeys,
                                           std::initializer_list<std::string_view> infoKeys) {
            std::optional<QString> text = XtreamValueReader::string(object, episodeKeys);
            return text || !hasInfo ? text : XtreamValueReader::string(info, infoKeys);
        };

        SeriesEpisode episode;
        episode.seriesID = m_seriesID;
        episode.providerID = std::move(providerID);
        episode.title = XtreamValueReader::string(object, {"title", "name", "episode_title"})
                            .value_or(u"Episode "_s
                                      + XtreamValueReader::string(object, {"episode_num", "episode_number"})
                                            .value_or(QString()));
        episode.seasonNumber = integerValue(object, {"season", "season_num"}).value_or(fallbackSeason);
        episode.episodeNumber = integerValue(object, {"episode_num", "episode", "episode_number"}).value_or(0);
        episode.artworkURL = optionalAddress(
            fromEpisodeOrInfo({"movie_image", "cover_big", "cover", "stream_icon"}, {"movie_image", "cover_big", "cover"}));
        episode.plot = fromEpisodeOrInfo({"plot", "description"}, {"plot", "description"});
        episode.containerExtension = XtreamValueReader::string(object, {"container_extension", "extension"});
        if (const auto duration = XtreamValueReader::value(object, {"duration_secs", "duration_seconds", "duration"}))
            episode.durationSeconds = duration->integer();
        return episode;
    }

    QString m_seriesID;
    QList<SeriesEpisode> m_episodes;
    QSet<QString> m_taken;
};

} // namespace

QList<SeriesEpisode> seriesEpisodes(QByteArrayView body, const QString &seriesID)
{
    simdjson::dom::parser parser;
    simdjson::dom::object root;
    if (XtreamValueReader::parse(parser, body).get_object().get(root))
        throw XtreamAPIError::invalidResponse();

    EpisodeCollector collector(seriesID);
    simdjson::dom::element episodes;
    if (!root.at_key("episodes").get(episodes))
        collector.readContainer(episodes, 0);
    // "info" describes the series and "seasons" describes its seasons; neither holds episodes.
    for (const simdjson::dom::key_value_pair member : root) {
        if (member.key != "episodes" && member.key != "info" && member.key != "seasons")
            collector.readContainer(member.value, seasonOfName(member.key).value_or(0));
    }
    return collector.sortedEpisodes();
}

} // namespace XtreamDocuments
