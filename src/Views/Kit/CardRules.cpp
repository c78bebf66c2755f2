#include "CardRules.h"

#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr qreal shortestShelfStep = 300;
constexpr qreal shelfStepShare = 0.8;

std::optional<QString> optionalText(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    return value.toString();
}

} // namespace

std::optional<QString> CardRules::posterSubtitle(const std::optional<QString> &given,
                                                 const std::optional<QString> &genre)
{
    if (given)
        return given;
    if (!genre)
        return std::nullopt;
    QStringList genres = genre->split(u',', Qt::SkipEmptyParts).mid(0, 2);
    for (QString &piece : genres) {
        while (!piece.isEmpty() && (piece.front() == u' ' || piece.front() == u'\t'))
            piece.remove(0, 1);
        while (!piece.isEmpty() && (piece.back() == u' ' || piece.back() == u'\t'))
            piece.chop(1);
    }
    const QString joined = genres.join(u", "_s);
    return joined.isEmpty() ? std::nullopt : std::optional(joined);
}

QVariant CardRules::subtitleLine(const QVariant &given, const QVariant &genre)
{
    const std::optional<QString> line = posterSubtitle(optionalText(given), optionalText(genre));
    return line ? QVariant(*line) : QVariant();
}

qreal CardRules::programmeProgress(const QDateTime &start, const QDateTime &end, const QDateTime &now)
{
    const qint64 length = start.msecsTo(end);
    if (length <= 0)
        return 0;
    return std::clamp(qreal(start.msecsTo(now)) / qreal(length), 0.0, 1.0);
}

qreal CardRules::programmeProgressNow(const QDateTime &start, const QDateTime &end)
{
    return programmeProgress(start, end, QDateTime::currentDateTime());
}

QString CardRules::channelSubtitle(const QVariant &nowTitle)
{
    return optionalText(nowTitle).value_or(u"Live TV"_s);
}

qreal CardRules::shelfScrollTarget(qreal offset, qreal viewport, qreal extent, int direction)
{
    const qreal step = std::max(viewport * shelfStepShare, shortestShelfStep);
    const qreal end = std::max(0.0, extent - viewport);
    return std::clamp(offset + direction * step, 0.0, end);
}
