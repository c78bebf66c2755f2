// Throughput of the provider parsers on realistic inputs built in memory: a ~100 MB live and
// film list as providers serialise it, and a ~100 MB XMLTV guide. Prints the median of five runs.

#include "BenchStatistics.h"

#include "Provider/JSONObjectStream.h"
#include "Provider/XMLTVGuideStream.h"
#include "Provider/XtreamObjectDecoder.h"
#include "support/CatalogueGenerator.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <sys/resource.h>

#include <algorithm>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

constexpr int runs = 5;
constexpr qsizetype chunkSize = 16 * 1024; // what the HTTP transport hands over at a time

// Providers' scripts escape slashes and every non-ASCII character.
void appendJSONString(QByteArray &out, const QString &text)
{
    out += '"';
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'"' || unit == u'\\' || unit == u'/') {
            out += '\\';
            out += char(unit);
        } else if (unit < 0x20 || unit > 0x7e) {
            out += "\\u" + QByteArray::number(unit, 16).rightJustified(4, '0');
        } else {
            out += char(unit);
        }
    }
    out += '"';
}

void appendMember(QByteArray &out, const char *key, const QString &text)
{
    out += '"';
    out += key;
    out += "\":";
    appendJSONString(out, text);
    out += ',';
}

QByteArray itemObject(const ContentItem &item)
{
    QByteArray out = "{";
    out += "\"num\":" + QByteArray::number(item.sortNumber.value_or(0)) + ',';
    appendMember(out, "name", item.title);
    appendMember(out, "stream_type", kindText(item.kind));
    out += "\"stream_id\":" + item.providerID.toUtf8() + ',';
    appendMember(out, "stream_icon", item.artworkURL.value_or(QString()));
    if (item.kind == CatalogueKind::Live) {
        appendMember(out, "epg_channel_id", item.epgChannelID.value_or(QString()));
    } else {
        appendMember(out, "rating", item.rating ? QString::number(*item.rating) : QString());
        out += "\"rating_5based\":" + QByteArray::number(item.rating.value_or(0) / 2) + ',';
        appendMember(out, "plot", item.subtitle.value_or(QString()));
        appendMember(out, "genre", item.genre.value_or(QString()));
        appendMember(out, "container_extension", item.containerExtension.value_or(u"mkv"_s));
    }
    appendMember(out, "added", QString::number(item.addedAt.value_or(0)));
    out += "\"is_adult\":\"0\",";
    appendMember(out, "category_id", item.categoryID.value_or(QString()));
    out += "\"category_ids\":[" + item.categoryID.value_or(u"0"_s).toUtf8() + "],";
    out += "\"custom_sid\":\"\",\"tv_archive\":0,\"direct_source\":\"\",\"tv_archive_duration\":0}";
    return out;
}

QByteArray catalogueDocument(qsizetype targetBytes, qsizetype &objectCount)
{
    const GeneratedCatalogue catalogue = generateCatalogue({60'000, 200'000, 0});
    QByteArray document = "[";
    document.reserve(targetBytes + 4096);
    objectCount = 0;
    while (document.size() < targetBytes) {
        for (const ContentItem &item : catalogue.items) {
            if (objectCount > 0)
                document += ',';
            document += itemObject(item);
            if (++objectCount % 4 == 0)
                document += '\n';
            if (document.size() >= targetBytes)
                break;
        }
    }
    document += "]\n";
    return document;
}

QByteArray guideDocument(qsizetype targetBytes, qsizetype &programmeCount)
{
    const GeneratedCatalogue catalogue = generateCatalogue({2'000, 0, 0});
    QByteArray document = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n"
                          "<tv generator-info-name=\"provider\">\n";
    document.reserve(targetBytes + 4096);
    for (const ContentItem &channel : catalogue.items) {
        const QByteArray id = channel.epgChannelID.value_or(channel.providerID).toHtmlEscaped().toUtf8();
        document += "  <channel id=\"" + id + "\">\n    <display-name>" + channel.title.toHtmlEscaped().toUtf8()
            + "</display-name>\n    <icon src=\"http://images.example/" + id + ".png\" />\n  </channel>\n";
    }
    const QStringList zones = {u"+0000"_s, u"+0100"_s, u"+0200"_s, u"-0500"_s};
    programmeCount = 0;
    const qint64 origin = 1'735'689'600; // 2025-01-01T00:00:00Z
    for (qint64 slot = 0; document.size() < targetBytes; ++slot) {
        for (const ContentItem &channel : catalogue.items) {
            const QString zone = zones.at(channel.providerID.toInt() % zones.size());
            const QDateTime start = QDateTime::fromSecsSinceEpoch(origin + slot * 1800, Qt::UTC);
            const QString format = u"yyyyMMddHHmmss"_s;
            const QByteArray id = channel.epgChannelID.value_or(channel.providerID).toHtmlEscaped().toUtf8();
            document += "  <programme start=\"" + start.toString(format).toUtf8() + ' ' + zone.toUtf8()
                + "\" stop=\"" + start.addSecs(1800).toString(format).toUtf8() + ' ' + zone.toUtf8()
                + "\" channel=\"" + id + "\">\n    <title lang=\"en\">" + channel.title.toHtmlEscaped().toUtf8()
                + " &amp; Friends</title>\n    <desc lang=\"en\">Episode " + QByteArray::number(slot)
                + ": the team travels to a new city &amp; meets old friends. A story about home, "
                  "family and the roads between.</desc>\n    <category lang=\"en\">Series</category>\n"
                  "    <episode-num system=\"xmltv_ns\">2.4.</episode-num>\n  </programme>\n";
            ++programmeCount;
            if (document.size() >= targetBytes)
                break;
        }
    }
    document += "</tv>\n";
    return document;
}

// Feeds the document in transport-sized chunks and returns the median seconds of the runs.
double measure(const QByteArray &document, const std::function<void(QByteArrayView)> &run)
{
    QList<double> seconds;
    for (int index = 0; index < runs; ++index) {
        QElapsedTimer timer;
        timer.start();
        run(document);
        seconds.append(double(timer.nsecsElapsed()) / 1e9);
    }
    return median(seconds);
}

template<typename Feeder>
void inChunks(QByteArrayView document, Feeder &feeder)
{
    const std::stop_source never;
    for (qsizetype at = 0; at < document.size(); at += chunkSize)
        feeder.feed(document.sliced(at, qMin(chunkSize, document.size() - at)), never.get_token());
    feeder.finish();
}

void report(QTextStream &out, const char *what, qsizetype bytes, qsizetype objects, double seconds)
{
    out << qSetFieldWidth(34) << Qt::left << what << qSetFieldWidth(0) << Qt::fixed << qSetRealNumberPrecision(1)
        << double(bytes) / 1e6 / seconds << " MB/s  " << double(objects) / 1e6 / seconds << " M objects/s  ("
        << qSetRealNumberPrecision(3) << seconds << " s median of " << runs << ")\n";
}

} // namespace

int main()
{
    QTextStream out(stdout);
    qsizetype itemCount = 0;
    const QByteArray catalogue = catalogueDocument(100'000'000, itemCount);
    out << "catalogue list: " << catalogue.size() / 1'000'000 << " MB, " << itemCount << " objects\n";

    qsizetype scanned = 0;
    const double scanSeconds = measure(catalogue, [&](QByteArrayView document) {
        scanned = 0;
        JSONObjectStream stream([&](const QList<QByteArray> &batch) { scanned += batch.size(); });
        inChunks(document, stream);
    });
    report(out, "JSON scanning", catalogue.size(), scanned, scanSeconds);

    QList<QList<QByteArray>> batches;
    {
        JSONObjectStream stream([&](const QList<QByteArray> &batch) { batches.append(batch); });
        inChunks(catalogue, stream);
    }
    qsizetype decodedAlone = 0;
    const double decodeAloneSeconds = measure(catalogue, [&](QByteArrayView) {
        decodedAlone = 0;
        XtreamObjectDecoder decoder;
        for (const QList<QByteArray> &batch : std::as_const(batches))
            decodedAlone += decoder.contentItems(batch, CatalogueKind::Movie).size();
    });
    batches.clear();
    report(out, "item decoding alone", catalogue.size(), decodedAlone, decodeAloneSeconds);

    qsizetype decoded = 0;
    const double decodeSeconds = measure(catalogue, [&](QByteArrayView document) {
        decoded = 0;
        XtreamObjectDecoder decoder;
        JSONObjectStream stream([&](const QList<QByteArray> &batch) {
            decoded += decoder.contentItems(batch, CatalogueKind::Movie).size();
        });
        inChunks(document, stream);
    });
    report(out, "JSON scanning + item decoding", catalogue.size(), decoded, decodeSeconds);

    qsizetype programmeCount = 0;
    const QByteArray guide = guideDocument(100'000'000, programmeCount);
    out << "XMLTV guide: " << guide.size() / 1'000'000 << " MB, " << programmeCount << " programmes\n";
    qsizetype parsed = 0;
    const double guideSeconds = measure(guide, [&](QByteArrayView document) {
        XMLTVGuideStream stream([](const GuideProgramme &) {});
        inChunks(document, stream);
        parsed = stream.programmeCount();
    });
    report(out, "XMLTV parsing with dates", guide.size(), parsed, guideSeconds);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    out << "peak memory (inputs included): " << usage.ru_maxrss / 1024 << " MB\n";
    return 0;
}
