#pragma once

#include "CatalogueGenerator.h"
#include "FakeArtwork.h"
#include "FakeProviderCatalogue.h"
#include "FakeProviderGuide.h"

#include "Catalogue/CatalogueModels.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <utility>

class FakeHttpServer;
struct FakeHttpRequest;
struct FakeResponse;

// How one endpoint misbehaves. Endpoints are named by their action ("get_vod_streams"),
// "account" (player_api.php without an action), "xmltv", or "live", "movie", "series" for
// stream addresses.
struct FakeFault
{
    int httpStatus = 0;       // answer with this status (and a small HTML page) instead
    int redirects = 0;        // send the client through this many redirects first
    bool gzip = false;        // compress the body when the client accepts gzip
    qint64 cutAfterBytes = -1;   // drop the connection after this many body bytes
    qint64 stallAfterBytes = -1; // fall silent after this many body bytes (0: headers only)
    qsizetype pieceBytes = 0;    // write the body this many bytes at a time ...
    std::chrono::milliseconds pause{0}; // ... with this pause after each piece
    FakeProviderCatalogue::ArrayFaults array{}; // faults inside a JSON array
    // The body never ends and comes at full speed: a list sends its entries over and over, each
    // under an id of its own and never closes its array (a list without entries stays empty);
    // the guide sends current programmes of its channels, each titled anew, without "</tv>".
    bool endless = false;
};

// One request as the provider received it.
struct FakeRequest
{
    QString path;
    QList<std::pair<QString, QString>> query; // decoded, in the order sent
    QByteArray acceptEncoding;
};

// A provider on 127.0.0.1 that speaks the panel protocol: "player_api.php" (account check,
// categories, streams, series information, short guide), "xmltv.php", and stream addresses.
// Its catalogue, guide, documents and faults can be changed while it runs; it records every
// request it receives.
class FakeProvider final
{
public:
    FakeProvider();
    ~FakeProvider();

    FakeProvider(const FakeProvider &) = delete;
    FakeProvider &operator=(const FakeProvider &) = delete;

    [[nodiscard]] quint16 port() const;
    [[nodiscard]] QUrl serverURL() const; // http://127.0.0.1:<port>
    // The address with "%1" in it replaced by the port; one without "%1" stays as it is.
    [[nodiscard]] QString withPort(const QString &address) const;
    // The login the provider accepts, on serverURL().
    [[nodiscard]] XtreamCredentials credentials() const;
    // The login a provider accepts until setLogin(), for one at `port` (in another process).
    [[nodiscard]] static XtreamCredentials defaultCredentials(quint16 port);

    void setLogin(const QString &username, const QString &password);
    void setCatalogue(const GeneratedCatalogue &catalogue);
    void setGuide(const FakeGuide &guide);
    // The picture every episode names; by default one at an address that never answers.
    void setEpisodeArtwork(const QString &address);
    // Serves `body` as the endpoint's reply in place of the generated one.
    void setDocument(const QString &endpoint, const QByteArray &body);
    void setFault(const QString &endpoint, const FakeFault &fault);
    void clearFaults();

    // The file served for film and episode addresses (with byte ranges).
    void setMediaFile(const QString &path);
    // The file looped, at this rate, as every live channel's MPEG-TS stream.
    void setLiveStream(const QString &path, qint64 bytesPerSecond);
    // Taking the live streams off the air drops their connections; new ones get 503 until
    // they are back on.
    void setLiveOnAir(bool onAir);

    // The artwork served under "/artwork/" (see FakeArtwork), and the address of one of its paths.
    [[nodiscard]] FakeArtwork &artwork() { return *m_artwork; }
    [[nodiscard]] QUrl artworkURL(const QString &path) const;

    [[nodiscard]] QList<FakeRequest> requests() const;
    void clearRequests();

    // The live streams served so far: how many began, and how many of those have ended because
    // their connection closed (the client left or the stream went off the air).
    struct LiveStreamLog
    {
        int opened = 0;
        int closed = 0;
    };
    [[nodiscard]] LiveStreamLog liveStreamLog() const;

private:
    struct Catalogue;

    [[nodiscard]] FakeResponse handle(const FakeHttpRequest &request);
    [[nodiscard]] FakeResponse playerAPI(const FakeHttpRequest &request, const QString &endpoint);
    [[nodiscard]] FakeResponse xmltv();
    [[nodiscard]] FakeResponse media(const FakeHttpRequest &request, const QString &kind, const QList<QString> &segments);
    [[nodiscard]] bool acceptsLogin(const QString &username, const QString &password) const;

    mutable std::mutex m_mutex;
    QString m_username;
    QString m_password;
    std::shared_ptr<const Catalogue> m_catalogue;
    FakeGuide m_guide;
    QHash<QString, QByteArray> m_documents;
    QString m_episodeArtwork = QStringLiteral("http://images.example/ep.jpg");
    QHash<QString, FakeFault> m_faults;
    QString m_mediaFile;
    QString m_liveFile;
    qint64 m_liveBytesPerSecond = 0;
    bool m_liveOnAir = true;
    std::atomic<int> m_liveGeneration{0};
    std::shared_ptr<std::atomic<int>> m_liveOpened = std::make_shared<std::atomic<int>>(0);
    std::shared_ptr<std::atomic<int>> m_liveClosed = std::make_shared<std::atomic<int>>(0);
    QList<FakeRequest> m_requests;
    std::unique_ptr<FakeArtwork> m_artwork;
    // Last, so that it stops (and joins its threads) before the state above goes.
    std::unique_ptr<FakeHttpServer> m_server;
};
