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

void appendHead(QByteArray &out, const QStringList &channelIDs)
{
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n"
           "<tv generator-info-name=\"fake\">\n";
    for (const QString &id : channelIDs)
        out += "  <channel id=\"" + escaped(id) + "\"><display-name>" + escaped(id) + "</display-name></channel>\n";
}

QByteArray descriptionOf(const FakeGuide &guide)
{
    return QByteArray("A programme about rivers &amp; roads. ").repeated(guide.descriptionLength / 38 + 1)
        .left(guide.descriptionLength);
}

// The programme of the channel at `channel` in the guide's list, numbered `number`.
void appendProgramme(QByteArray &out, const FakeGuide &guide, qsizetype channel, qint64 number, qint64 start,
                     qint64 stop, const QByteArray &description)
{
    const Zone &zone = zones.at(size_t(channel) % zones.size());
    out += "  <programme start=\"";
    appendTime(out, start, zone);
    out += "\" stop=\"";
    appendTime(out, stop, zone);
    out += "\" channel=\"" + escaped(guide.channelIDs.at(channel)) + "\">\n    <title lang=\"en\">";
    if (number % 4 == 1)
        out += "<![CDATA[Show &amp; Tell " + QByteArray::number(number) + "]]>";
    else
        out += "News &amp; Weather " + QByteArray::number(number);
    out += "</title>\n    <desc lang=\"en\">" + description + "</desc>\n  </programme>\n";
}

} // namespace

FakeResponse::BodySource FakeGuide::source() const
{
    return [guide = *this, description = descriptionOf(*this), channel = qsizetype(-1), programme = 0](QByteArray &out) mutable {
        if (channel < 0) {
            appendHead(out, guide.channelIDs);
            channel = 0;
        }
        const qint64 first = guide.start.toSecsSinceEpoch();
        const qint64 length = qint64(guide.minutesPerProgramme) * 60;
        while (channel < guide.channelIDs.size() && out.size() < FakeResponse::sourcePieceBytes) {
            const qint64 start = first + programme * length;
            appendProgramme(out, guide, channel, programme, start, start + length, description);
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

FakeResponse::BodySource FakeGuide::endlessSource() const
{
    return [guide = *this, description = descriptionOf(*this), sent = qint64(-1)](QByteArray &out) mutable {
        if (sent < 0) {
            appendHead(out, guide.channelIDs);
            sent = 0;
        }
        if (guide.channelIDs.isEmpty())
            return FakeResponse::Step::Done;
        const qint64 start = guide.start.toSecsSinceEpoch();
        const qint64 stop = start + qint64(guide.programmesPerChannel) * guide.minutesPerProgramme * 60;
        while (out.size() < FakeResponse::sourcePieceBytes) {
            appendProgramme(out, guide, qsizetype(sent % guide.channelIDs.size()), sent, start, stop, description);
            ++sent;
        }
        return FakeResponse::Step::More;
    };
}
