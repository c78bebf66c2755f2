#pragma once

#include "BodyMeter.h"
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

    // A guide is refused past these, so that a provider that never ends it cannot hold a
    // refresh, nor fill the disk with staged programmes, for as long as it sends. Both stand
    // about five times above the largest real guides (800 MB, a few million programmes), which
    // import unchanged; the count bounds the rows staged from a body of tiny programmes.
    static constexpr qint64 maximumBodyBytes = qint64(4) * 1024 * 1024 * 1024;
    static constexpr qint64 maximumProgrammeCount = 20'000'000;
    static constexpr BodyMeter::Limits bodyLimits{maximumBodyBytes, maximumProgrammeCount};

    explicit XMLTVGuideStream(ProgrammeConsumer consumer, BodyMeter::Limits limits = bodyLimits);

    // Throws CancellationError when the token is stopped (checked for every chunk and every
    // few thousand bytes), XtreamAPIError::invalidResponse() for a body past its limits, or
    // whatever the consumer throws.
    void feed(QByteArrayView chunk, const std::stop_token &stop);
    // The end of the body: throws XtreamAPIError::invalidResponse() when "</tv>" never came
    // (the programmes already handed over stay with the consumer); otherwise logs the count.
    void finish();

    [[nodiscard]] qint64 programmeCount() const { return m_meter.itemCount(); }

private:
    void parse(QByteArrayView bytes);

    ProgrammeConsumer m_consumer;
    XMLTVGuideParser m_parser;
    ByteMarkerMatcher m_documentEnd;
    bool m_documentEndSeen = false;
    BodyMeter m_meter;
};
