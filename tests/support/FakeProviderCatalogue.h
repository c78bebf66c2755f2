#pragma once

#include "FakeResponse.h"

#include "Catalogue/CatalogueModels.h"

#include <QByteArray>
#include <QDateTime>

#include <functional>

// The provider's JSON documents as panels really send them: ids and numbers sometimes as texts
// and sometimes as numbers, nulls and empty texts for missing values, PHP's escaped slashes,
// \u escapes, nested objects and arrays of noise fields.
namespace FakeProviderCatalogue {

// Faults placed inside a streamed array, by object index.
struct ArrayFaults
{
    qsizetype malformedAt = -1;   // this object is not JSON (its braces still balance)
    qsizetype oversizedAt = -1;   // this object is larger than 4 MiB
    qsizetype truncateAfter = -1; // the body ends cleanly after this many objects, array left open
};

// An array of `count` objects; one that never ends for a negative count.
[[nodiscard]] FakeResponse::BodySource arraySource(qsizetype count, std::function<QByteArray(qsizetype)> object,
                                                   ArrayFaults faults = {});

[[nodiscard]] QByteArray categoryObject(const Category &category, qsizetype index);
[[nodiscard]] QByteArray itemObject(const ContentItem &item, qsizetype index);

[[nodiscard]] QByteArray accountReply(const QString &username, const QString &password, quint16 port);
[[nodiscard]] QByteArray rejectedLoginReply();
// Every episode's picture is `episodeArtwork`.
[[nodiscard]] QByteArray seriesInfo(const QString &seriesID, const QString &episodeArtwork);
[[nodiscard]] QByteArray shortGuide(const QString &streamID, int limit, const QDateTime &now);

// The record a client decodes from itemObject(item): what the protocol cannot carry is dropped
// (a rating of 0 means none).
[[nodiscard]] ContentItem decodedItem(ContentItem item);

} // namespace FakeProviderCatalogue
