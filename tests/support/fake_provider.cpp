// Runs the local provider in a process of its own and prints its port, so that a benchmark
// measures the client without the server's work in its own process. It serves until its
// standard input closes.
#include "CatalogueGenerator.h"
#include "FakeProvider.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSet>

#include <cstdio>
#include <iostream>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Local IPTV provider for benchmarks and end-to-end tests."_s);
    parser.addHelpOption();
    const QList<QCommandLineOption> options = {
        {u"live"_s, u"Live channels."_s, u"count"_s, u"0"_s},
        {u"movies"_s, u"Films."_s, u"count"_s, u"0"_s},
        {u"series"_s, u"Series."_s, u"count"_s, u"0"_s},
        {u"guide-channels"_s, u"Guide channels."_s, u"count"_s, u"0"_s},
        {u"guide-programmes"_s, u"Programmes per guide channel."_s, u"count"_s, u"0"_s},
        {u"guide-minutes"_s, u"Length of a programme."_s, u"minutes"_s, u"30"_s},
        {u"guide-description"_s, u"Length of a programme's description."_s, u"bytes"_s, u"60"_s},
        {u"guide-start-hours"_s, u"Hours before now at which the guide starts."_s, u"hours"_s, u"12"_s},
        {u"media-file"_s, u"File served for films and episodes."_s, u"path"_s},
        {u"live-file"_s, u"MPEG-TS file looped as every live channel."_s, u"path"_s},
        {u"live-rate"_s, u"Bytes per second of the live streams."_s, u"bytes"_s, u"250000"_s},
        {u"stall"_s, u"Endpoint that answers with headers only, then falls silent (\"get_vod_streams\")."_s,
         u"endpoint"_s},
        {u"slow"_s, u"Endpoint whose body trickles one byte a second (\"account\")."_s, u"endpoint"_s},
        {u"endless"_s,
         u"Endpoint whose body never ends, sent at full speed: a list of ever new objects (\"get_vod_streams\"), "
         "or the guide's channels' programmes, each new and on for the guide's whole span (\"xmltv\")."_s,
         u"endpoint"_s},
        {u"artwork"_s, u"Serve the pictures of the catalogue and the episodes from this provider."_s},
    };
    parser.addOptions(options);
    parser.process(application);
    const auto number = [&parser](const char *name) { return parser.value(QString::fromLatin1(name)).toInt(); };

    FakeProvider provider;
    GeneratedCatalogue catalogue = generateCatalogue({number("live"), number("movies"), number("series")});
    if (parser.isSet(u"artwork"_s)) {
        // The generated addresses name a host that never answers; these lead to pictures.
        const QString unanswered = u"http://images.example/"_s;
        for (ContentItem &item : catalogue.items) {
            if (item.artworkURL && item.artworkURL->startsWith(unanswered)) {
                const QString name = item.artworkURL->mid(unanswered.size()).replace(u'/', u'-');
                item.artworkURL = provider.artworkURL(name).toString();
            }
        }
        provider.setEpisodeArtwork(provider.artworkURL(u"episode.jpg"_s).toString());
    }
    provider.setCatalogue(catalogue);

    FakeGuide guide;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    guide.start = QDateTime::fromSecsSinceEpoch(now.toSecsSinceEpoch() / 3600 * 3600 - qint64(number("guide-start-hours")) * 3600, Qt::UTC);
    // The guide covers the catalogue's own guide ids first, then made-up channels.
    QSet<QString> seen;
    for (const ContentItem &item : catalogue.itemsOf(CatalogueKind::Live)) {
        if (guide.channelIDs.size() < number("guide-channels") && item.epgChannelID && !seen.contains(*item.epgChannelID)) {
            seen.insert(*item.epgChannelID);
            guide.channelIDs.append(*item.epgChannelID);
        }
    }
    while (guide.channelIDs.size() < number("guide-channels"))
        guide.channelIDs.append(u"channel%1.example"_s.arg(guide.channelIDs.size()));
    guide.programmesPerChannel = number("guide-programmes");
    guide.minutesPerProgramme = number("guide-minutes");
    guide.descriptionLength = number("guide-description");
    provider.setGuide(guide);
    provider.setMediaFile(parser.value(u"media-file"_s));
    provider.setLiveStream(parser.value(u"live-file"_s), number("live-rate"));
    if (parser.isSet(u"stall"_s)) {
        FakeFault stall;
        stall.stallAfterBytes = 0;
        provider.setFault(parser.value(u"stall"_s), stall);
    }
    if (parser.isSet(u"slow"_s)) {
        FakeFault slow;
        slow.pieceBytes = 1;
        slow.pause = std::chrono::seconds(1);
        provider.setFault(parser.value(u"slow"_s), slow);
    }
    if (parser.isSet(u"endless"_s))
        provider.setFault(parser.value(u"endless"_s), FakeFault{.endless = true});

    std::printf("port=%u\n", unsigned(provider.port()));
    std::fflush(stdout);
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return 0;
}
