#include "EpisodeListModel.h"

#include "EpisodeChoice.h"
#include "Support/TimeText.h"

using namespace Qt::StringLiterals;

int EpisodeListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant EpisodeListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Row &row = m_rows.at(index.row());
    const SeriesEpisode &episode = row.episode;
    switch (role) {
    case ProviderIdRole:
        return episode.providerID;
    case NumberTitleRole:
        return QString(u"Episode "_s + QString::number(episode.episodeNumber));
    case DurationRole:
        return episode.durationSeconds && *episode.durationSeconds >= 1
            ? TimeText::duration(double(*episode.durationSeconds))
            : QString();
    case Qt::DisplayRole:
    case TitleRole:
        return episode.title;
    case PlotRole:
        return episode.plot.value_or(QString());
    case ArtworkUrlRole: {
        // Always an address, empty for none: the row holds it as a url.
        return episode.artworkURL ? *episode.artworkURL : row.fallbackArtwork.value_or(QUrl());
    }
    case FractionRole: {
        const std::optional<double> fraction = EpisodeChoice::watchedFraction(episode, row.progress);
        return fraction ? QVariant(*fraction) : QVariant();
    }
    case WatchedRole:
        return EpisodeChoice::isWatched(EpisodeChoice::watchedFraction(episode, row.progress));
    case HasProgressRole:
        return row.progress.has_value();
    default:
        return {};
    }
}

QHash<int, QByteArray> EpisodeListModel::roleNames() const
{
    return {
        {ProviderIdRole, "providerID"}, {NumberTitleRole, "numberTitle"}, {DurationRole, "durationText"},
        {TitleRole, "title"},           {PlotRole, "plot"},               {ArtworkUrlRole, "artworkURL"},
        {FractionRole, "fraction"},     {WatchedRole, "watched"},         {HasProgressRole, "hasProgress"},
    };
}

void EpisodeListModel::setRows(const QList<Row> &rows)
{
    if (rows == m_rows)
        return;
    // Rows keep their delegates when only their progress changed (a reload after a write).
    if (rows.size() == m_rows.size()) {
        bool sameEpisodes = true;
        for (qsizetype i = 0; i < rows.size() && sameEpisodes; ++i)
            sameEpisodes = rows.at(i).episode == m_rows.at(i).episode;
        if (sameEpisodes) {
            m_rows = rows;
            Q_EMIT dataChanged(index(0), index(int(m_rows.size()) - 1));
            return;
        }
    }
    beginResetModel();
    m_rows = rows;
    endResetModel();
}
