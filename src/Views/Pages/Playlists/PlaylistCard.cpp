#include "PlaylistCard.h"

#include "Support/NumberText.h"
#include "Support/TimeText.h"

#include <QLocale>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

PlaylistCard::Stat stat(const QString &title, const std::optional<QDateTime> &date, const std::optional<QString> &error,
                        const QString &extra, const QDateTime &now)
{
    PlaylistCard::Stat column;
    column.title = title;
    column.dated = date.has_value();
    if (date) {
        column.updated = u"Updated "_s + TimeText::relative(*date, now);
        const QDateTime local = date->toLocalTime();
        column.dateHelp = QLocale().toString(local.date(), u"d MMM yyyy"_s) + u", "_s + TimeText::time(local);
    } else {
        column.updated = u"Not yet"_s;
    }
    column.error = error.value_or(QString());
    column.extra = extra;
    return column;
}

} // namespace

QString PlaylistCard::initialOf(const QString &name)
{
    if (name.isEmpty())
        return u"?"_s;
    // One whole character, also when it lies outside the basic plane.
    const qsizetype length = name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1;
    return name.left(length).toUpper();
}

QString PlaylistCard::serverLine(const QUrl &serverURL)
{
    const QString host = serverURL.host();
    return host.isEmpty() ? serverURL.toString(QUrl::FullyEncoded) : host;
}

PlaylistCard PlaylistCard::make(const Playlist &playlist, const Status &status, const QDateTime &now)
{
    const SourceHealth &health = status.health;
    PlaylistCard card;
    card.id = playlist.id;
    card.name = playlist.name;
    card.initial = initialOf(playlist.name);
    card.server = serverLine(playlist.serverURL);
    card.active = status.active;
    card.needsAttention = playlist.syncState == u"error"_s;
    card.refreshing = status.refreshing;
    card.importing = status.importing;
    card.step = status.activity.value_or(u"Updating TV guide\u2026"_s);
    card.progress = std::clamp(playlist.syncProgress, 0, 100);
    card.progressText = QString::number(card.progress) + u'%';

    const QString programmes = health.guideProgrammeCount
        ? NumberText::grouped(*health.guideProgrammeCount) + u" programmes"_s
        : QString();
    const QString accepted = health.connectionChecked && !health.connectionError ? u"Login accepted"_s : QString();
    card.stats = {
        stat(u"Catalogue"_s, health.lastCatalogueSuccess, health.catalogueError, QString(), now),
        stat(u"TV guide"_s, health.lastGuideSuccess, health.guideError, programmes, now),
        stat(u"Connection"_s, health.connectionChecked, health.connectionError, accepted, now),
    };
    return card;
}
