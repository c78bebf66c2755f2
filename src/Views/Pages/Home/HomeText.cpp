#include "HomeText.h"

#include "Catalogue/CatalogueModels.h"
#include "Support/NumberText.h"
#include "Support/TimeText.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace HomeText {

QString greeting(int hour)
{
    if (hour >= 5 && hour <= 11)
        return u"Good morning"_s;
    if (hour >= 12 && hour <= 17)
        return u"Good afternoon"_s;
    return u"Good evening"_s;
}

QString summary(const QDateTime &now, const std::optional<QString> &playlistName, const CatalogueSnapshot &snapshot)
{
    QStringList parts{TimeText::longDay(now)};
    if (playlistName)
        parts.append(*playlistName);
    if (snapshot.liveCount > 0 || snapshot.movieCount > 0 || snapshot.seriesCount > 0) {
        parts.append(NumberText::grouped(snapshot.liveCount) + u" live \u00B7 "_s
                     + NumberText::grouped(snapshot.movieCount) + u" movies \u00B7 "_s
                     + NumberText::grouped(snapshot.seriesCount) + u" series"_s);
    }
    return parts.join(u"  \u00B7  "_s);
}

QString tileDetail(qint64 count, const QString &pluralNoun)
{
    return NumberText::grouped(count) + u' ' + pluralNoun;
}

QString resumeLine(const LibraryEntry &entry)
{
    QStringList parts;
    if (entry.episode) {
        const QString number = u'E' + QString::number(entry.episode->episodeNumber);
        parts.append(entry.episode->seasonNumber >= 1
                         ? u'S' + QString::number(entry.episode->seasonNumber) + u' ' + number
                         : number);
    }
    if (entry.duration && entry.position < *entry.duration)
        parts.append(TimeText::duration(double(*entry.duration - entry.position)) + u" left"_s);
    return parts.join(u" \u00B7 "_s);
}

std::optional<double> progress(const LibraryEntry &entry)
{
    if (!entry.duration || *entry.duration < 1 || entry.position < 1)
        return std::nullopt;
    return std::min(double(entry.position) / double(*entry.duration), 1.0);
}

} // namespace HomeText
