// The short-guide reply of XtreamDocuments: times come as epoch seconds, epoch milliseconds or
// date texts, and texts may be Base64-encoded, depending on the provider.

#include "XtreamDocuments.h"

#include "CivilDateTime.h"
#include "XtreamAPIError.h"
#include "XtreamValueReader.h"

#include "Support/CheckedConversion.h"

#include <QUuid>

#include <algorithm>

namespace XtreamDocuments {

namespace {

// Epoch values above this are milliseconds.
constexpr double millisecondsThreshold = 1e11;

std::optional<QDateTime> epochMoment(double value)
{
    return momentFromEpochSeconds(value > millisecondsThreshold ? value / 1000 : value);
}

// "yyyy-MM-ddTHH:mm:ss" with "Z" or a numeric offset.
std::optional<QDateTime> internetDateTime(QByteArrayView text)
{
    if (text.size() < 20)
        return std::nullopt;
    const std::optional<CivilDateTime> wallTime = CivilDateTime::fromSeparated(text.first(19), 'T');
    const QByteArrayView zone = text.sliced(19);
    const std::optional<int> offset = zone == "Z" ? 0 : CivilDateTime::utcOffsetSeconds(zone);
    if (!wallTime || !offset)
        return std::nullopt;
    return wallTime->atUTCOffset(*offset);
}

std::optional<QDateTime> dateOfText(std::string_view raw)
{
    const QByteArrayView text = QByteArrayView(raw.data(), qsizetype(raw.size())).trimmed();
    const std::string_view trimmed(text.data(), size_t(text.size()));
    if (const std::optional<double> number = XtreamValueReader::decimalNumber(trimmed))
        return epochMoment(*number);
    if (auto moment = internetDateTime(text))
        return moment;
    if (const auto wallTime = CivilDateTime::fromSeparated(text, ' '))
        return wallTime->inLocalTime();
    return std::nullopt;
}

std::optional<QDateTime> date(simdjson::dom::object object, std::initializer_list<std::string_view> keys)
{
    for (const std::string_view key : keys) {
        simdjson::dom::element element;
        if (object.at_key(key).get(element))
            continue;
        std::optional<QDateTime> moment;
        if (element.is_number())
            moment = epochMoment(element.get_double().value_unsafe());
        else if (element.is_string())
            moment = dateOfText(element.get_string().value_unsafe());
        if (moment)
            return moment;
    }
    return std::nullopt;
}

// Standard Base64 with its padding and nothing else.
bool isStrictBase64(QByteArrayView text)
{
    if (text.isEmpty() || text.size() % 4 != 0)
        return false;
    const qsizetype padding = text.endsWith("==") ? 2 : text.endsWith('=') ? 1 : 0;
    return std::all_of(text.begin(), text.end() - padding, [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
    });
}

// Some providers send their texts in Base64. A text that only looks like Base64 (its bytes are
// not UTF-8 text) stays as sent.
std::optional<QString> decodedString(simdjson::dom::object object, std::initializer_list<std::string_view> keys)
{
    std::optional<QString> raw = XtreamValueReader::string(object, keys);
    if (!raw)
        return raw;
    // Characters beyond Latin-1 become "?", which is not Base64 either.
    const QByteArray encoded = raw->toLatin1();
    if (!isStrictBase64(encoded))
        return raw;
    const QByteArray decoded = QByteArray::fromBase64(encoded);
    if (decoded.isEmpty() || !simdjson::validate_utf8(decoded.constData(), size_t(decoded.size())))
        return raw;
    return QString::fromUtf8(decoded);
}

std::optional<LiveProgramme> makeProgramme(simdjson::dom::object object)
{
    const std::optional<QDateTime> start = date(object, {"start_timestamp", "start_time", "start"});
    const std::optional<QDateTime> end = date(object, {"stop_timestamp", "end_time", "end"});
    if (!start || !end || *end <= *start)
        return std::nullopt;
    std::optional<QString> title = decodedString(object, {"title", "name"});
    if (!title || title->isEmpty())
        return std::nullopt;
    LiveProgramme programme;
    programme.id = decodedString(object, {"id", "epg_id"}).value_or(QUuid::createUuid().toString(QUuid::WithoutBraces));
    programme.channelID = decodedString(object, {"channel_id", "epg_channel", "tvg_id"});
    programme.title = std::move(*title);
    programme.description = decodedString(object, {"description", "plot"});
    programme.start = *start;
    programme.end = *end;
    return programme;
}

bool isArrayOfObjects(simdjson::dom::element element, simdjson::dom::array &array)
{
    return !element.get_array().get(array) && XtreamValueReader::isArrayOfObjects(array);
}

} // namespace

QList<LiveProgramme> shortGuide(QByteArrayView body)
{
    simdjson::dom::parser parser;
    const simdjson::dom::element root = XtreamValueReader::parse(parser, body);
    simdjson::dom::array listings;
    simdjson::dom::element wrapped;
    const bool isWrapped = !root.at_key("epg_listings").get(wrapped) && isArrayOfObjects(wrapped, listings);
    if (!isWrapped && !isArrayOfObjects(root, listings))
        throw XtreamAPIError::invalidResponse();

    QList<LiveProgramme> programmes;
    for (const simdjson::dom::element listing : listings) {
        if (auto programme = makeProgramme(listing.get_object().value_unsafe()))
            programmes.append(std::move(*programme));
    }
    std::stable_sort(programmes.begin(), programmes.end(),
                     [](const LiveProgramme &a, const LiveProgramme &b) { return a.start < b.start; });
    return programmes;
}

} // namespace XtreamDocuments
