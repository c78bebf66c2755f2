#include "FakeProviderCatalogue.h"

#include <QLocale>

#include <cstdio>
#include <limits>

using namespace Qt::StringLiterals;

namespace FakeProviderCatalogue {

namespace {

constexpr qsizetype oversizedBytes = 4 * 1024 * 1024 + 1024;

void appendUnicodeEscape(QByteArray &out, char16_t unit)
{
    char code[8];
    std::snprintf(code, sizeof code, "\\u%04x", unsigned(unit));
    out += code;
}

void appendEscapedByte(QByteArray &out, char byte)
{
    switch (byte) {
    case '"':
        out += "\\\"";
        return;
    case '\\':
        out += "\\\\";
        return;
    case '/':
        out += "\\/"; // PHP's json_encode escapes every slash
        return;
    case '\n':
        out += "\\n";
        return;
    case '\t':
        out += "\\t";
        return;
    default:
        break;
    }
    if (uchar(byte) < 0x20)
        appendUnicodeEscape(out, uchar(byte));
    else
        out += byte;
}

// A JSON string; with `asciiOnly`, every character outside ASCII as \u escapes (surrogate
// pairs included), as some panels send them.
QByteArray jsonString(const QString &text, bool asciiOnly = false)
{
    QByteArray out;
    out.reserve(text.size() + 2);
    out += '"';
    if (asciiOnly) {
        for (const QChar unit : text) {
            if (unit.unicode() < 0x80)
                appendEscapedByte(out, char(unit.unicode()));
            else
                appendUnicodeEscape(out, unit.unicode());
        }
    } else {
        for (const char byte : text.toUtf8())
            appendEscapedByte(out, byte);
    }
    out += '"';
    return out;
}

QByteArray number(qint64 value)
{
    return QByteArray::number(value);
}

QByteArray decimal(double value)
{
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest).toUtf8();
}

// A value that is missing in one of the ways providers say so: absent, null or empty.
void appendMissing(QByteArray &object, const char *key, qsizetype index)
{
    switch (index % 3) {
    case 0:
        return;
    case 1:
        object += ",\""_ba + key + "\":null";
        return;
    default:
        object += ",\""_ba + key + "\":\"\"";
        return;
    }
}

void appendText(QByteArray &object, const char *key, const std::optional<QString> &value, qsizetype index)
{
    if (value)
        object += ",\""_ba + key + "\":" + jsonString(*value, index % 7 == 3);
    else
        appendMissing(object, key, index);
}

// Whole numbers go out as numbers for some objects and as texts for others.
QByteArray integerValue(qint64 value, bool asText)
{
    return asText ? '"' + number(value) + '"' : number(value);
}

QByteArray base64(const QString &text)
{
    return '"' + text.toUtf8().toBase64() + '"';
}

// The object at `index`, unless a fault stands there: then an object that breaks the list.
QByteArray arrayElement(qsizetype index, const std::function<QByteArray(qsizetype)> &object, const ArrayFaults &faults)
{
    if (index != faults.malformedAt && index != faults.oversizedAt)
        return object(index);
    const QByteArray faultyStart = "{\"stream_id\":\"" + number(index) + "\",\"name\":";
    if (index == faults.malformedAt)
        return faultyStart + "\"broken\" \"value\"}";
    return faultyStart + "\"huge\",\"plot\":\"" + QByteArray(oversizedBytes, 'x') + "\"}";
}

} // namespace

FakeResponse::BodySource arraySource(qsizetype count, std::function<QByteArray(qsizetype)> object, ArrayFaults faults)
{
    const qsizetype length = count < 0 ? std::numeric_limits<qsizetype>::max() : count;
    const qsizetype end = faults.truncateAfter >= 0 ? std::min(length, faults.truncateAfter) : length;
    return [count, end, faults, object = std::move(object), next = qsizetype(0)](QByteArray &out) mutable {
        if (next == 0)
            out += "[";
        while (next < end && out.size() < FakeResponse::sourcePieceBytes) {
            if (next > 0)
                out += ',';
            out += arrayElement(next++, object, faults);
        }
        if (next < end)
            return FakeResponse::Step::More;
        if (end == count)
            out += "]\n";
        return FakeResponse::Step::Done;
    };
}

QByteArray categoryObject(const Category &category, qsizetype index)
{
    const bool idAsNumber = index % 4 == 1;
    return "{\"category_id\":" + (idAsNumber ? category.providerID.toUtf8() : jsonString(category.providerID))
        + ",\"category_name\":" + jsonString(category.name, index % 5 == 2) + ",\"parent_id\":0}";
}

QByteArray itemObject(const ContentItem &item, qsizetype index)
{
    const bool asText = index % 2 == 0;
    const bool numericID = item.providerID.toLongLong() > 0 && index % 3 != 0;
    const QByteArray id = numericID ? item.providerID.toUtf8() : jsonString(item.providerID);
    QByteArray object;
    object.reserve(512);
    object += '{';
    if (item.sortNumber)
        object += "\"num\":" + integerValue(*item.sortNumber, index % 5 == 0) + ',';
    object += "\"name\":" + jsonString(item.title, index % 7 == 0);
    switch (item.kind) {
    case CatalogueKind::Live:
        object += ",\"stream_type\":\"live\",\"stream_id\":" + id;
        appendText(object, "stream_icon", item.artworkURL, index);
        appendText(object, "epg_channel_id", item.epgChannelID, index);
        object += ",\"tv_archive\":0,\"direct_source\":\"\",\"tv_archive_duration\":0,\"custom_sid\":null";
        break;
    case CatalogueKind::Movie:
        object += ",\"stream_type\":\"movie\",\"stream_id\":" + id;
        appendText(object, "stream_icon", item.artworkURL, index);
        appendText(object, "container_extension", item.containerExtension, index);
        appendText(object, "plot", item.subtitle, index);
        break;
    case CatalogueKind::Series:
        object += ",\"series_id\":" + id;
        appendText(object, "cover", item.artworkURL, index);
        appendText(object, "plot", item.subtitle, index);
        object += ",\"backdrop_path\":[\"https:\\/\\/images.example\\/b.jpg\"],\"youtube_trailer\":\"\"";
        break;
    }
    if (item.rating) {
        const QByteArray rating = decimal(*item.rating);
        object += ",\"rating\":" + (asText ? '"' + rating + '"' : rating) + ",\"rating_5based\":" + decimal(*item.rating / 2);
    }
    if (item.addedAt)
        object += (item.kind == CatalogueKind::Series ? ",\"last_modified\":"_ba : ",\"added\":"_ba)
            + integerValue(*item.addedAt, asText);
    appendText(object, "genre", item.genre, index);
    appendText(object, "category_id", item.categoryID, index);
    // Nested noise: braces and quotes inside strings and objects that a scanner must not miscount.
    if (index % 11 == 0)
        object += ",\"info\":{\"note\":\"{[}] \\\"quoted\\\" \\\\\",\"cast\":[{\"name\":\"A\"}]}";
    object += '}';
    return object;
}

QByteArray accountReply(const QString &username, const QString &password, quint16 port)
{
    return "{\"user_info\":{\"username\":" + jsonString(username) + ",\"password\":" + jsonString(password)
        + ",\"message\":\"Welcome\",\"auth\":1,\"status\":\"Active\",\"exp_date\":\"1893456000\","
          "\"is_trial\":\"0\",\"active_cons\":\"0\",\"created_at\":\"1600000000\",\"max_connections\":\"2\","
          "\"allowed_output_formats\":[\"m3u8\",\"ts\"]},"
          "\"server_info\":{\"url\":\"127.0.0.1\",\"port\":\""
        + number(port) + "\",\"https_port\":\"\",\"server_protocol\":\"http\",\"timezone\":\"Europe\\/London\"}}";
}

QByteArray rejectedLoginReply()
{
    return "{\"user_info\":{\"auth\":0}}";
}

QByteArray seriesInfo(const QString &seriesID, const QString &episodeArtwork)
{
    const qint64 seed = qint64(qHash(seriesID) % 1000);
    const int seasons = 1 + int(seed % 3);
    const int episodesPerSeason = 2 + int(seed % 4);
    QByteArray seasonList = "[";
    QByteArray episodes = "{";
    for (int season = 1; season <= seasons; ++season) {
        if (season > 1) {
            seasonList += ',';
            episodes += ',';
        }
        seasonList += "{\"season_number\":" + number(season) + ",\"name\":\"Season " + number(season) + "\"}";
        episodes += "\"" + number(season) + "\":[";
        for (int episode = 1; episode <= episodesPerSeason; ++episode) {
            if (episode > 1)
                episodes += ',';
            const QByteArray id = jsonString(seriesID + u'-' + QString::number(season * 100 + episode));
            episodes += "{\"id\":" + id + ",\"episode_num\":" + integerValue(episode, episode % 2 == 0)
                + ",\"title\":" + jsonString(u"Episode %1 of season %2"_s.arg(episode).arg(season))
                + ",\"container_extension\":\"mkv\",\"season\":" + number(season)
                + ",\"info\":{\"duration_secs\":" + number(1200 + episode) + ",\"plot\":\"Plot "
                + number(episode) + "\",\"movie_image\":" + jsonString(episodeArtwork) + "}}";
        }
        episodes += ']';
    }
    return "{\"seasons\":" + seasonList + "],\"info\":{\"name\":\"Series " + seriesID.toUtf8()
        + "\"},\"episodes\":" + episodes + "}}";
}

QByteArray shortGuide(const QString &streamID, int limit, const QDateTime &now)
{
    const qint64 firstStart = now.toSecsSinceEpoch() / 3600 * 3600 - 1800;
    QByteArray listings = "[";
    for (int index = 0; index < limit; ++index) {
        const qint64 start = firstStart + qint64(index) * 1800;
        if (index > 0)
            listings += ',';
        const auto text = [](qint64 seconds) -> QByteArray {
            return '"' + QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString(u"yyyy-MM-dd HH:mm:ss"_s).toUtf8() + '"';
        };
        listings += "{\"id\":\"" + number(index + 1) + "\",\"epg_id\":\"" + number(index + 1) + "\",\"title\":"
            + base64(u"Programme %1 on %2"_s.arg(index + 1).arg(streamID)) + ",\"lang\":\"en\",\"start\":"
            + text(start) + ",\"end\":" + text(start + 1800) + ",\"description\":" + base64(u"Описание ❤"_s)
            + ",\"channel_id\":" + jsonString(u"channel"_s + streamID) + ",\"start_timestamp\":\""
            + number(start) + "\",\"stop_timestamp\":\"" + number(start + 1800) + "\"}";
    }
    return "{\"epg_listings\":" + listings + "]}";
}

ContentItem decodedItem(ContentItem item)
{
    if (item.rating && *item.rating <= 0)
        item.rating.reset();
    return item;
}

} // namespace FakeProviderCatalogue
