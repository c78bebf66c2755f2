#include "XtreamClient.h"

#include "JSONObjectStream.h"
#include "XMLTVGuideStream.h"
#include "XtreamAPIError.h"
#include "XtreamDocuments.h"
#include "XtreamObjectDecoder.h"

#include "Support/OversizedBodyError.h"
#include "Support/WebAddress.h"

#include <algorithm>
#include <array>
#include <atomic>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

constexpr auto defaultTimeout = 120s;
constexpr auto accountCheckTimeout = 15s;
constexpr auto shortGuideTimeout = 12s;
constexpr auto guideTimeout = 300s;
std::atomic<int> timeDivisor{1};
std::atomic<int> bodyLimitDivisor{1};
const QString apiEndpoint = u"player_api.php"_s;
const QString guideEndpoint = u"xmltv.php"_s;

// Every time limit of a provider request passes through here, so that tests can shorten them all.
std::chrono::milliseconds timeLimit(std::chrono::milliseconds duration)
{
    return duration / timeDivisor.load();
}

// Every reader of a streamed body takes its limits from here, so that tests can shorten them all.
BodyMeter::Limits bodyLimits(BodyMeter::Limits limits)
{
    const int divisor = bodyLimitDivisor.load();
    return {limits.bytes / divisor, limits.items / divisor};
}

// The response rule of every request: a status outside 200-299 is the provider's httpStatus
// error, raised before any byte of the body is looked at.
void validate(int status)
{
    if (status < 200 || status > 299)
        throw XtreamAPIError::httpStatus(status);
}

QByteArray fetchWhole(const HttpClient::Request &request, const std::stop_token &stop)
{
    try {
        return HttpClient::get(request, &validate, stop);
    } catch (const OversizedBodyError &) {
        throw XtreamAPIError::invalidResponse();
    }
}

// Streams the body into a reader of provider data, then tells it the body has ended.
template<typename Reader>
void streamInto(Reader &reader, const HttpClient::Request &request, const std::stop_token &stop)
{
    HttpClient::stream(request, &validate, [&reader, &stop](QByteArrayView chunk) { reader.feed(chunk, stop); }, stop);
    reader.finish();
}

QString trimmedSlashes(QString path)
{
    qsizetype first = 0;
    qsizetype last = path.size();
    while (first < last && path.at(first) == u'/')
        ++first;
    while (last > first && path.at(last - 1) == u'/')
        --last;
    return path.sliced(first, last - first);
}

// "/" and the endpoint under the path's folder (the path trimmed of slashes), or at the root.
QString endpointPath(const QString &path, const QString &endpoint)
{
    const QString folder = trimmedSlashes(path);
    if (folder.isEmpty())
        return u'/' + endpoint;
    return u'/' + folder + u'/' + endpoint;
}

// The list actions of each kind, in the order of CatalogueKind.
QString categoriesAction(CatalogueKind kind)
{
    static const std::array<QString, 3> actions{u"get_live_categories"_s, u"get_vod_categories"_s,
                                                u"get_series_categories"_s};
    return actions.at(size_t(kind));
}

QString contentAction(CatalogueKind kind)
{
    static const std::array<QString, 3> actions{u"get_live_streams"_s, u"get_vod_streams"_s, u"get_series"_s};
    return actions.at(size_t(kind));
}

} // namespace

void XtreamClient::setTimeDivisorForTesting(int divisor)
{
    timeDivisor = divisor;
}

void XtreamClient::setBodyLimitDivisorForTesting(int divisor)
{
    bodyLimitDivisor = divisor;
}

XtreamClient::XtreamClient(XtreamCredentials credentials)
    : m_credentials(std::move(credentials))
{
}

HttpClient::Request XtreamClient::makeRequest(const std::optional<QString> &action, const QueryItems &additionalQuery,
                                                 bool xmltv) const
{
    QUrl url = m_credentials.serverURL;
    // Only the web schemes are ever requested: a login must not be sent anywhere else.
    if (!isWebAddress(url))
        throw XtreamAPIError::invalidURL();

    QString path = url.path(QUrl::FullyEncoded);
    const bool namesEndpoint = path.endsWith(apiEndpoint, Qt::CaseInsensitive);
    if (xmltv) {
        if (namesEndpoint)
            path.chop(apiEndpoint.size());
        path = endpointPath(path, guideEndpoint);
    } else if (!namesEndpoint) {
        path = endpointPath(path, apiEndpoint);
    }
    url.setPath(path, QUrl::TolerantMode);

    QueryItems query = {{u"username"_s, m_credentials.username}, {u"password"_s, m_credentials.password}};
    if (action)
        query.append({u"action"_s, *action});
    query.append(additionalQuery);
    url = HttpClient::withQuery(url, query);
    if (!url.isValid())
        throw XtreamAPIError::invalidURL();
    return {url, timeLimit(defaultTimeout), timeLimit(HttpClient::stallWindow)};
}

void XtreamClient::verifyCredentials(const std::stop_token &stop) const
{
    HttpClient::Request request = makeRequest(std::nullopt, {}, false);
    request.timeout = timeLimit(accountCheckTimeout);
    XtreamDocuments::checkAccountReply(fetchWhole(request, stop));
}

void XtreamClient::consumeObjects(const QString &action, const std::function<void(const QList<QByteArray> &)> &consume,
                                     const std::stop_token &stop) const
{
    JSONObjectStream objects(consume, bodyLimits(JSONObjectStream::bodyLimits));
    streamInto(objects, makeRequest(action, {}, false), stop);
}

void XtreamClient::consumeCategories(CatalogueKind kind, const CategoryConsumer &consume, const std::stop_token &stop) const
{
    XtreamObjectDecoder decoder;
    consumeObjects(categoriesAction(kind),
                   [&](const QList<QByteArray> &texts) { consume(decoder.categories(texts, kind)); }, stop);
}

void XtreamClient::consumeContent(CatalogueKind kind, const ContentConsumer &consume, const std::stop_token &stop) const
{
    XtreamObjectDecoder decoder;
    consumeObjects(contentAction(kind),
                   [&](const QList<QByteArray> &texts) { consume(decoder.contentItems(texts, kind)); }, stop);
}

QList<SeriesEpisode> XtreamClient::fetchSeriesEpisodes(const QString &seriesID, const std::stop_token &stop) const
{
    const HttpClient::Request request = makeRequest(u"get_series_info"_s, {{u"series_id"_s, seriesID}}, false);
    return XtreamDocuments::seriesEpisodes(fetchWhole(request, stop), seriesID);
}

QList<LiveProgramme> XtreamClient::fetchShortEPG(const QString &streamID, int limit, const std::stop_token &stop) const
{
    const QString clamped = QString::number(std::clamp(limit, 1, 48));
    HttpClient::Request request = makeRequest(u"get_short_epg"_s, {{u"stream_id"_s, streamID}, {u"limit"_s, clamped}}, false);
    request.timeout = timeLimit(shortGuideTimeout);
    return XtreamDocuments::shortGuide(fetchWhole(request, stop));
}

void XtreamClient::consumeXMLTVGuide(const ProgrammeConsumer &consume, const std::stop_token &stop) const
{
    HttpClient::Request request = makeRequest(std::nullopt, {}, true);
    request.timeout = timeLimit(guideTimeout);
    XMLTVGuideStream guide(consume, bodyLimits(XMLTVGuideStream::bodyLimits));
    streamInto(guide, request, stop);
}
