#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Support/HttpClient.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <stop_token>
#include <utility>

// The program's only client of a provider's panel interface ("player_api.php" and
// "xmltv.php"). A plain value holding one login: copies are independent, and it keeps no
// session or cache of its own. Every operation blocks its (worker) thread for one request;
// main-thread callers await it through an executor. Failures: XtreamAPIError for what the
// provider answered, TransportError for the transport, CancellationError when the token stops,
// JSONParseError for a reply that is not JSON.
class XtreamClient final
{
public:
    using CategoryConsumer = std::function<void(const QList<Category> &)>;
    using ContentConsumer = std::function<void(const QList<ContentItem> &)>;
    using ProgrammeConsumer = std::function<void(const GuideProgramme &)>;

    explicit XtreamClient(XtreamCredentials credentials);

    // Tests only: divides the time-out and the stall window of every request from now on by
    // `divisor` (1 restores them), so that a provider that never finishes fails in short time.
    static void setTimeDivisorForTesting(int divisor);
    // Tests only: divides the byte and item limits of every streamed body from now on by
    // `divisor` (1 restores them), so that a provider that never ends a body fails after a short one.
    static void setBodyLimitDivisorForTesting(int divisor);

    // The account check; returns when the login is valid and active.
    void verifyCredentials(const std::stop_token &stop) const;

    // Stream the kind's list and hand the records over in batches of at most 100, in the
    // provider's order. The consumer runs in line on this thread; the body is not read on
    // while it works, and what it throws ends the download unchanged.
    void consumeCategories(CatalogueKind kind, const CategoryConsumer &consume, const std::stop_token &stop) const;
    void consumeContent(CatalogueKind kind, const ContentConsumer &consume, const std::stop_token &stop) const;

    [[nodiscard]] QList<SeriesEpisode> fetchSeriesEpisodes(const QString &seriesID, const std::stop_token &stop) const;
    // The limit is clamped to 1-48.
    [[nodiscard]] QList<LiveProgramme> fetchShortEPG(const QString &streamID, int limit,
                                                        const std::stop_token &stop) const;

    // Streams the XMLTV guide and hands over each programme as soon as it has been read.
    void consumeXMLTVGuide(const ProgrammeConsumer &consume, const std::stop_token &stop) const;

private:
    using QueryItems = QList<std::pair<QString, QString>>;

    [[nodiscard]] HttpClient::Request makeRequest(const std::optional<QString> &action, const QueryItems &additionalQuery,
                                                  bool xmltv) const;
    void consumeObjects(const QString &action, const std::function<void(const QList<QByteArray> &)> &consume,
                        const std::stop_token &stop) const;

    XtreamCredentials m_credentials;
};
