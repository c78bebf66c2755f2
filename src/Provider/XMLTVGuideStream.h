#pragma once

#include "ByteMarkerMatcher.h"
#include "XMLTVGuideParser.h"

#include <functional>
#include <stop_token>

// Reads a whole XMLTV guide as its bytes arrive and hands each programme on as soon as its
// element has been read. The consumer runs in line: no bytes are examined while it works. A
// guide is taken as whole only when its closing "</tv>" was seen.
class XMLTVGuideStream
{
public:
    using ProgrammeConsumer = std::function<void(const GuideProgramme &)>;

    explicit XMLTVGuideStream(ProgrammeConsumer consumer);

    // Throws CancellationError when the token is stopped (checked for every chunk and every
    // few thousand bytes), or whatever the consumer throws.
    void feed(QByteArrayView chunk, const std::stop_token &stop);
    // The end of the body: throws XtreamAPIError::invalidResponse() when "</tv>" never came
    // (the programmes already handed over stay with the consumer); otherwise logs the count.
    void finish();

    [[nodiscard]] qint64 programmeCount() const { return m_programmeCount; }

private:
    void parse(QByteArrayView bytes);

    ProgrammeConsumer m_consumer;
    XMLTVGuideParser m_parser;
    ByteMarkerMatcher m_documentEnd;
    bool m_documentEndSeen = false;
    qint64 m_programmeCount = 0;
};
