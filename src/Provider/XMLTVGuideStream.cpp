#include "XMLTVGuideStream.h"

#include "CancellableSlices.h"
#include "Support/Logging.h"
#include "XtreamAPIError.h"

using namespace Qt::StringLiterals;

XMLTVGuideStream::XMLTVGuideStream(ProgrammeConsumer consumer, BodyMeter::Limits limits)
    : m_consumer(std::move(consumer))
    , m_documentEnd("</tv>")
    , m_meter(limits)
{
}

void XMLTVGuideStream::feed(QByteArrayView chunk, const std::stop_token &stop)
{
    forEachCancellableSlice(chunk, stop, [this](QByteArrayView slice) {
        m_meter.countBytes(slice.size());
        parse(slice);
    });
}

void XMLTVGuideStream::parse(QByteArrayView bytes)
{
    // The end tag may come anywhere and the reading always goes on to the end of the body.
    if (!m_documentEndSeen)
        m_documentEndSeen = m_documentEnd.find(bytes) >= 0;
    std::optional<GuideProgramme> programme;
    while (!bytes.isEmpty()) {
        bytes = bytes.sliced(m_parser.append(bytes, programme));
        if (programme) {
            m_meter.countItem();
            m_consumer(*programme);
        }
    }
}

void XMLTVGuideStream::finish()
{
    if (!m_documentEndSeen)
        throw XtreamAPIError::invalidResponse();
    qCInfo(lcXtream).noquote() << u"XMLTV stream completed: parsed %1 programme elements"_s.arg(programmeCount());
}
