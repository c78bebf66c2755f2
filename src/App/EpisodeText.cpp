#include "EpisodeText.h"

#include "Catalogue/CatalogueModels.h"
#include "Support/TitleText.h"

#include <QRegularExpression>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

QString code(const SeriesEpisode &episode)
{
    QString text;
    if (episode.seasonNumber >= 1)
        text = u'S' + QString::number(episode.seasonNumber);
    if (episode.episodeNumber >= 1) {
        if (!text.isEmpty())
            text += u" \u00B7 "_s;
        text += u'E' + QString::number(episode.episodeNumber);
    }
    return text;
}

// Provider titles that merely restate the numbering add nothing to the code.
bool repeatsTheNumbering(const QString &title)
{
    static const QRegularExpression seasonEpisode(u"^S\\d+\\s*E\\d+"_s);
    return title.toLower().startsWith(u"episode"_s) || seasonEpisode.match(title).hasMatch();
}

} // namespace

QString EpisodeText::label(const SeriesEpisode &episode)
{
    QStringList parts;
    if (const QString number = code(episode); !number.isEmpty())
        parts.append(number);
    const QString title = episode.title.trimmed();
    if (!title.isEmpty() && !repeatsTheNumbering(title))
        parts.append(TitleText::isolated(title));
    return parts.join(u"  "_s);
}
