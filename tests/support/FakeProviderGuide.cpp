#include "FakeProviderGuide.h"

#include <array>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

struct Zone
{
    const char *text;
    int offsetSeconds;
};

constexpr std::array<Zone, 5> zones{{{"+0000", 0}, {"+0100", 3600}, {"-0500", -18000}, {"+05:30", 19800}, {"UTC", 0}}};

void appendTime(QByteArray &out, qint64 utcSeconds, const Zone &zone)
{
    const QDateTime local = QDateTime::fromSecsSinceEpoch(utcSeconds + zone.offsetSeconds, Qt::UTC);
    const QDate date = local.date();
    const QTime time = local.time();
    char text[40];
    std::snprintf(text, sizeof text, "%04d%02d%02d%02d%02d%02d %s", date.year(), date.month(), date.day(),
                  time.hour(), time.minute(), time.second(), zone.text);
    out += text;
}

QByteArray escaped(const QString &text)
{
    return text.toHtmlEscaped().toUtf8();
}

} // namespace

FakeResponse::BodySource FakeGuide::source() const
{
    const FakeGuide guide = *this;
    const QByteArray description = QByteArray("A programme about rivers &amp; roads. ").repeated(guide.descriptionLength / 38 + 1)
                                       .left(guide.descriptionLength);
    return [guide, description, channel = qsizetype(-1), programme = 0](QByteArray &out) mutable {
        if (channel < 0) {
            out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n"
                   "<tv generator-info-name=\"fake\">\n";
            for (const QString &id : guide.channelIDs)
                out += "  <channel id=\"" + escaped(id) + "\"><display-name>" + escaped(id) + "</display-name></channel>\n";
            channel = 0;
        }
        const qint64 first = guide.start.toSecsSinceEpoch();
        const qint64 length = qint64(guide.minutesPerProgramme) * 60;
        while (channel < guide.channelIDs.size() && out.size() < FakeResponse::sourcePieceBytes) {
            const Zone &zone = zones.at(size_t(channel) % zones.size());
            const qint64 start = first + programme * length;
            out += "  <programme start=\"";
            appendTime(out, start, zone);
            out += "\" stop=\"";
            appendTime(out, start + length, zone);
            out += "\" channel=\"" + escaped(guide.channelIDs.at(channel)) + "\">\n    <title lang=\"en\">";
            if (programme % 4 == 1)
                out += "<![CDATA[Show &amp; Tell " + QByteArray::number(programme) + "]]>";
            else
                out += "News &amp; Weather " + QByteArray::number(programme);
            out += "</title>\n    <desc lang=\"en\">" + description
                + "</desc>\n  </programme>\n";
            if (++programme == guide.programmesPerChannel) {
                programme = 0;
                ++channel;
            }
        }
        if (channel < guide.channelIDs.size())
            return FakeResponse::Step::More;
        if (!guide.truncated)
            out += "</tv>\n";
        return FakeResponse::Step::Done;
    };
}
