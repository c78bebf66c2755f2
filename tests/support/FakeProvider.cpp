#include "FakeProvider.h"

#include "FakeHttpRequest.h"
#include "FakeHttpServer.h"
#include "FakeResponse.h"

#include <QFile>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

// Characters that a login must survive in query strings and stream addresses.
const QString defaultUsername = u"demo"_s;
const QString defaultPassword = u"pa+ss&w=rd#%/ é"_s;

FakeResponse errorPage(int status)
{
    return FakeResponse::whole(status, "<html><body><h1>" + QByteArray::number(status) + "</h1></body></html>",
                               "text/html");
}

// Sends the client through `hops` more redirects before `path` is served.
FakeResponse redirect(int hops, const QByteArray &path, const QByteArray &query)
{
    FakeResponse response = errorPage(302);
    response.headers.append({"Location", "/hop/" + QByteArray::number(hops - 1) + path + '?' + query});
    return response;
}

FakeResponse json(QByteArray body)
{
    return FakeResponse::whole(200, std::move(body), "application/json; charset=utf-8");
}

struct ListAction
{
    CatalogueKind kind;
    bool categories;
};

// The actions that answer with one of the catalogue's lists.
std::optional<ListAction> listAction(const QString &action)
{
    static const QHash<QString, ListAction> actions = {
        {u"get_live_categories"_s, {CatalogueKind::Live, true}},   {u"get_vod_categories"_s, {CatalogueKind::Movie, true}},
        {u"get_series_categories"_s, {CatalogueKind::Series, true}}, {u"get_live_streams"_s, {CatalogueKind::Live, false}},
        {u"get_vod_streams"_s, {CatalogueKind::Movie, false}},      {u"get_series"_s, {CatalogueKind::Series, false}},
    };
    const auto found = actions.constFind(action);
    return found == actions.cend() ? std::nullopt : std::optional(*found);
}

// A list's array of its entries, shaped by the fault. An endless one numbers every entry it
// sends anew, so that the client never sees the same object twice.
template<typename Entry>
FakeResponse::BodySource listSource(const QList<Entry> &entries, QByteArray (*toObject)(const Entry &, qsizetype),
                                    const FakeFault &fault)
{
    const bool endless = fault.endless && !entries.isEmpty();
    return FakeProviderCatalogue::arraySource(
        endless ? -1 : entries.size(),
        [entries, toObject, endless](qsizetype index) {
            Entry entry = entries.at(index % entries.size());
            if (endless)
                entry.providerID = QString::number(index + 1);
            return toObject(entry, index);
        },
        fault.array);
}

// A file's bytes from `offset`, `length` of them, in pieces; a negative length loops the file
// without end. The connection drops once `stillServing` says no.
FakeResponse::BodySource fileSource(const QString &path, qint64 offset, qint64 length,
                                    std::function<bool()> stillServing = {})
{
    auto file = std::make_shared<QFile>(path);
    if (!file->open(QIODevice::ReadOnly) || !file->seek(offset))
        return {};
    return [file, remaining = length, stillServing = std::move(stillServing)](QByteArray &out) mutable {
        if (stillServing && !stillServing())
            return FakeResponse::Step::Abort;
        constexpr qint64 piece = FakeResponse::sourcePieceBytes;
        const qint64 wanted = remaining < 0 ? piece : std::min(remaining, piece);
        out = file->read(wanted);
        if (remaining < 0) {
            if (file->atEnd())
                file->seek(0);
            return FakeResponse::Step::More;
        }
        remaining -= out.size();
        return remaining > 0 && !out.isEmpty() ? FakeResponse::Step::More : FakeResponse::Step::Done;
    };
}

// Counts a live stream as opened now and as closed when the server lets go of its body, which
// happens once the connection has ended.
FakeResponse::BodySource countedLiveStream(FakeResponse::BodySource body, std::shared_ptr<std::atomic<int>> opened,
                                           std::shared_ptr<std::atomic<int>> closed)
{
    class Closing
    {
    public:
        explicit Closing(std::shared_ptr<std::atomic<int>> closed)
            : m_closed(std::move(closed))
        {
        }
        ~Closing() { ++*m_closed; }
        Closing(const Closing &) = delete;
        Closing &operator=(const Closing &) = delete;

    private:
        std::shared_ptr<std::atomic<int>> m_closed;
    };
    ++*opened;
    auto closing = std::make_shared<Closing>(std::move(closed));
    return [body = std::move(body), closing = std::move(closing)](QByteArray &out) mutable { return body(out); };
}

} // namespace

struct FakeProvider::Catalogue
{
    std::array<QList<Category>, 3> categories;
    std::array<QList<ContentItem>, 3> items;
};

FakeProvider::FakeProvider()
    : m_username(defaultUsername)
    , m_password(defaultPassword)
    , m_catalogue(std::make_shared<Catalogue>())
    , m_artwork(std::make_unique<FakeArtwork>([this](std::chrono::milliseconds duration) { return m_server->pause(duration); }))
    , m_server(std::make_unique<FakeHttpServer>([this](const FakeHttpRequest &request) { return handle(request); }))
{
}

FakeProvider::~FakeProvider() = default;

quint16 FakeProvider::port() const
{
    return m_server->port();
}

QUrl FakeProvider::serverURL() const
{
    return QUrl(u"http://127.0.0.1:%1"_s.arg(port()));
}

QUrl FakeProvider::artworkURL(const QString &path) const
{
    return QUrl(serverURL().toString() + u"/artwork/"_s + path);
}

QString FakeProvider::withPort(const QString &address) const
{
    return address.contains("%1"_L1) ? address.arg(port()) : address;
}

XtreamCredentials FakeProvider::defaultCredentials(quint16 port)
{
    return {QUrl(u"http://127.0.0.1:%1"_s.arg(port)), defaultUsername, defaultPassword};
}

XtreamCredentials FakeProvider::credentials() const
{
    std::lock_guard lock(m_mutex);
    return {serverURL(), m_username, m_password};
}

void FakeProvider::setLogin(const QString &username, const QString &password)
{
    std::lock_guard lock(m_mutex);
    m_username = username;
    m_password = password;
}

void FakeProvider::setCatalogue(const GeneratedCatalogue &catalogue)
{
    auto data = std::make_shared<Catalogue>();
    for (const Category &category : catalogue.categories)
        data->categories.at(size_t(category.kind)).append(category);
    for (const ContentItem &item : catalogue.items)
        data->items.at(size_t(item.kind)).append(item);
    std::lock_guard lock(m_mutex);
    m_catalogue = std::move(data);
}

void FakeProvider::setGuide(const FakeGuide &guide)
{
    std::lock_guard lock(m_mutex);
    m_guide = guide;
}

void FakeProvider::setEpisodeArtwork(const QString &address)
{
    std::lock_guard lock(m_mutex);
    m_episodeArtwork = address;
}

void FakeProvider::setDocument(const QString &endpoint, const QByteArray &body)
{
    std::lock_guard lock(m_mutex);
    m_documents.insert(endpoint, body);
}

void FakeProvider::setFault(const QString &endpoint, const FakeFault &fault)
{
    std::lock_guard lock(m_mutex);
    m_faults.insert(endpoint, fault);
}

void FakeProvider::clearFaults()
{
    std::lock_guard lock(m_mutex);
    m_faults.clear();
}

void FakeProvider::setMediaFile(const QString &path)
{
    std::lock_guard lock(m_mutex);
    m_mediaFile = path;
}

void FakeProvider::setLiveStream(const QString &path, qint64 bytesPerSecond)
{
    std::lock_guard lock(m_mutex);
    m_liveFile = path;
    m_liveBytesPerSecond = bytesPerSecond;
}

void FakeProvider::setLiveOnAir(bool onAir)
{
    std::lock_guard lock(m_mutex);
    m_liveOnAir = onAir;
    ++m_liveGeneration;
}

QList<FakeRequest> FakeProvider::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

FakeProvider::LiveStreamLog FakeProvider::liveStreamLog() const
{
    return {m_liveOpened->load(), m_liveClosed->load()};
}

void FakeProvider::clearRequests()
{
    std::lock_guard lock(m_mutex);
    m_requests.clear();
}

bool FakeProvider::acceptsLogin(const QString &username, const QString &password) const
{
    std::lock_guard lock(m_mutex);
    return username == m_username && password == m_password;
}

FakeResponse FakeProvider::handle(const FakeHttpRequest &request)
{
    {
        std::lock_guard lock(m_mutex);
        m_requests.append({request.path, request.query, request.headers.value("accept-encoding")});
    }
    // Redirect hops: "/hop/<n>/<path>" sends the client on n more times, then serves <path>.
    static const QRegularExpression hop(u"^/hop/(\\d+)(/.*)$"_s);
    QByteArray rawPath = request.rawPath;
    const QRegularExpressionMatch hopMatch = hop.match(QString::fromUtf8(rawPath));
    bool redirected = false;
    if (hopMatch.hasMatch()) {
        const int remaining = hopMatch.captured(1).toInt();
        rawPath = hopMatch.captured(2).toUtf8();
        if (remaining > 0)
            return redirect(remaining, rawPath, request.rawQuery);
        redirected = true;
    }

    const QList<QByteArray> rawSegments = rawPath.split('/');
    QList<QString> segments;
    for (const QByteArray &segment : rawSegments)
        segments.append(QString::fromUtf8(QByteArray::fromPercentEncoding(segment)));
    if (segments.size() > 2 && segments.at(1) == u"artwork"_s)
        return m_artwork->respond(segments.mid(2));
    const QString last = segments.isEmpty() ? QString() : segments.last().toLower();
    QString endpoint;
    if (last == "player_api.php"_L1)
        endpoint = request.hasQueryItem(u"action"_s) ? request.queryValue(u"action"_s) : u"account"_s;
    else if (last == "xmltv.php"_L1)
        endpoint = u"xmltv"_s;
    else if (segments.size() == 5 && QStringList{u"live"_s, u"movie"_s, u"series"_s}.contains(segments.at(1)))
        endpoint = segments.at(1);

    FakeFault fault;
    {
        std::lock_guard lock(m_mutex);
        fault = m_faults.value(endpoint);
    }
    if (fault.redirects > 0 && !redirected)
        return redirect(fault.redirects, rawPath, request.rawQuery);

    FakeResponse response;
    if (fault.httpStatus != 0)
        response = errorPage(fault.httpStatus);
    else if (endpoint == "xmltv"_L1)
        response = acceptsLogin(request.queryValue(u"username"_s), request.queryValue(u"password"_s)) ? xmltv() : errorPage(401);
    else if (segments.size() == 5 && endpoint == segments.at(1))
        response = media(request, endpoint, segments);
    else if (!endpoint.isEmpty())
        response = playerAPI(request, endpoint);
    else
        response = errorPage(404);

    response.gzip = fault.gzip && request.headers.value("accept-encoding").contains("gzip");
    response.cutAfterBytes = fault.cutAfterBytes;
    response.stallAfterBytes = fault.stallAfterBytes;
    if (fault.pieceBytes > 0) {
        response.pieceBytes = fault.pieceBytes;
        response.pause = fault.pause;
    }
    return response;
}

FakeResponse FakeProvider::playerAPI(const FakeHttpRequest &request, const QString &endpoint)
{
    if (!acceptsLogin(request.queryValue(u"username"_s), request.queryValue(u"password"_s)))
        return json(FakeProviderCatalogue::rejectedLoginReply());
    std::unique_lock lock(m_mutex);
    if (m_documents.contains(endpoint))
        return json(m_documents.value(endpoint));
    const std::shared_ptr<const Catalogue> catalogue = m_catalogue;
    const FakeFault fault = m_faults.value(endpoint);
    const QString username = m_username;
    const QString password = m_password;
    const QString episodeArtwork = m_episodeArtwork;
    lock.unlock();

    if (endpoint == "account"_L1)
        return json(FakeProviderCatalogue::accountReply(username, password, port()));
    if (endpoint == "get_series_info"_L1)
        return json(FakeProviderCatalogue::seriesInfo(request.queryValue(u"series_id"_s), episodeArtwork));
    if (endpoint == "get_short_epg"_L1) {
        const int limit = request.hasQueryItem(u"limit"_s) ? request.queryValue(u"limit"_s).toInt() : 4;
        return json(FakeProviderCatalogue::shortGuide(request.queryValue(u"stream_id"_s), limit,
                                                      QDateTime::currentDateTimeUtc()));
    }
    const std::optional<ListAction> list = listAction(endpoint);
    if (!list)
        return json("[]");
    FakeResponse response;
    const size_t kind = size_t(list->kind);
    response.body = list->categories ? listSource(catalogue->categories.at(kind), &FakeProviderCatalogue::categoryObject, fault)
                                     : listSource(catalogue->items.at(kind), &FakeProviderCatalogue::itemObject, fault);
    return response;
}

FakeResponse FakeProvider::xmltv()
{
    std::lock_guard lock(m_mutex);
    if (m_documents.contains(u"xmltv"_s))
        return FakeResponse::whole(200, m_documents.value(u"xmltv"_s), "application/xml");
    FakeResponse response;
    response.contentType = "application/xml";
    response.body = m_faults.value(u"xmltv"_s).endless ? m_guide.endlessSource() : m_guide.source();
    return response;
}

FakeResponse FakeProvider::media(const FakeHttpRequest &request, const QString &kind, const QList<QString> &segments)
{
    if (!acceptsLogin(segments.at(2), segments.at(3)))
        return errorPage(401);
    std::unique_lock lock(m_mutex);
    FakeResponse response;
    if (kind == "live"_L1) {
        if (!m_liveOnAir || m_liveFile.isEmpty())
            return errorPage(503);
        const int generation = m_liveGeneration;
        response.contentType = "video/mp2t";
        response.body = fileSource(m_liveFile, 0, -1, [this, generation] { return m_liveGeneration == generation; });
        if (response.body)
            response.body = countedLiveStream(std::move(response.body), m_liveOpened, m_liveClosed);
        response.pieceBytes = std::max<qint64>(m_liveBytesPerSecond / 10, 188);
        response.pause = std::chrono::milliseconds(100);
        return response.body ? response : errorPage(404);
    }
    const QString path = m_mediaFile;
    lock.unlock();
    const qint64 size = QFile(path).size();
    if (path.isEmpty() || size <= 0)
        return errorPage(404);
    // "bytes=<first>-[<last>]", the only form players send.
    static const QRegularExpression range(u"^bytes=(\\d+)-(\\d*)$"_s);
    const QRegularExpressionMatch match = range.match(QString::fromLatin1(request.headers.value("range")));
    qint64 first = 0;
    qint64 lastByte = size - 1;
    if (match.hasMatch()) {
        first = match.captured(1).toLongLong();
        if (!match.captured(2).isEmpty())
            lastByte = std::min(lastByte, match.captured(2).toLongLong());
        if (first > lastByte)
            return errorPage(416);
        response.status = 206;
        response.headers.append({"Content-Range", "bytes " + QByteArray::number(first) + '-' + QByteArray::number(lastByte)
                                                      + '/' + QByteArray::number(size)});
    }
    response.headers.append({QByteArray("Accept-Ranges"), QByteArray("bytes")});
    response.contentType = path.endsWith(".ts"_L1) ? "video/mp2t" : "video/mp4";
    response.contentLength = lastByte - first + 1;
    response.body = fileSource(path, first, response.contentLength);
    return response.body ? response : errorPage(404);
}
