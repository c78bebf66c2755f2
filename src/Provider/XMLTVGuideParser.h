#pragma once

#include "ByteMarkerMatcher.h"
#include "Catalogue/CatalogueModels.h"

#include <QByteArray>
#include <QHash>

#include <optional>

struct CivilDateTime;

// Reads the programmes of an XMLTV guide as its bytes arrive, without a document tree: the
// stream is cut into "<programme" ... "</programme>" elements by byte matching, and each element
// is read with a few searches. Everything else (the head, channels, comments) is skipped. Memory
// stays bounded by one element, whatever the size of the guide.
class XMLTVGuideParser
{
public:
    // An element that grows past this without its closing tag is dropped.
    static constexpr qsizetype maximumElementSize = 2 * 1024 * 1024;

    XMLTVGuideParser();

    // Examines bytes from the front until a programme element closes or the bytes run out, and
    // returns how many it examined. When the closed element is a usable programme, it is put
    // into `programme`.
    [[nodiscard]] qsizetype append(QByteArrayView bytes, std::optional<GuideProgramme> &programme);

    // One complete element, "<programme" to "</programme>": none when it is not UTF-8, lacks a
    // channel, a title, a readable start or stop, or ends before it starts.
    [[nodiscard]] std::optional<GuideProgramme> parse(QByteArrayView element);
    // "yyyyMMddHHmmss", optionally followed by a zone: "+hhmm" or "+hh:mm" (or "-"), "Z" or
    // "UTC..." for UTC; anything else, or no zone, is the local time zone.
    [[nodiscard]] std::optional<QDateTime> date(QByteArrayView text);

    // The value of an attribute of a tag (name matched ignoring case), trimmed, entities kept.
    [[nodiscard]] static std::optional<QString> attribute(QByteArrayView name, QByteArrayView tag);
    // The text of the first element of that name, up to its first closing tag, without a CDATA
    // wrapper, with entities and character references decoded, trimmed.
    [[nodiscard]] static std::optional<QString> elementText(QByteArrayView name, QByteArrayView text);

private:
    // Drops the element being read and looks for the next one.
    void dropElement();
    // The zone of a date, as seconds east of UTC; none for an unreadable offset or a wall time
    // that does not exist in the local zone.
    [[nodiscard]] std::optional<qint64> zoneOffsetSeconds(QByteArrayView zone, const CivilDateTime &wallTime);
    [[nodiscard]] std::optional<qint64> localOffsetSeconds(const CivilDateTime &wallTime);

    ByteMarkerMatcher m_open;
    ByteMarkerMatcher m_close;
    bool m_inElement = false;
    // The element's bytes from earlier calls; keeps its capacity from one element to the next.
    QByteArray m_element;
    bool m_elementHoldsCompleted = false;
    // The local zone's offset by hour of wall time, so that daylight-saving changes are right
    // without asking the zone for every programme.
    QHash<qint64, std::optional<qint64>> m_localOffsets;
};
