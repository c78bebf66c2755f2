#include "Provider/XtreamDocuments.h"
#include "support/CentralEuropeanTime.h"
#include "support/Outcome.h"

#include <QTest>
#include <QUuid>

using namespace Qt::StringLiterals;

namespace {

// One line per episode: id, season, episode number and title.
QStringList summary(const QList<SeriesEpisode> &episodes)
{
    QStringList lines;
    for (const SeriesEpisode &episode : episodes)
        lines.append(u"%1 S%2 E%3 %4"_s.arg(episode.providerID).arg(episode.seasonNumber).arg(episode.episodeNumber).arg(episode.title));
    return lines;
}

// One line per programme: title, start and end in UTC.
QStringList summary(const QList<LiveProgramme> &programmes)
{
    QStringList lines;
    for (const LiveProgramme &programme : programmes)
        lines.append(programme.title + u' ' + programme.start.toUTC().toString(Qt::ISODateWithMs) + u' '
                     + programme.end.toUTC().toString(Qt::ISODateWithMs));
    return lines;
}

QByteArray listing(const QByteArray &members)
{
    return R"({"epg_listings":[{)" + members + "}]}";
}

} // namespace

// Test bodies stand outside the class: their JSON texts would confuse moc's reading of it.
class XtreamDocumentsTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsEpisodesOfEveryShape_data();
    void readsEpisodesOfEveryShape();
    void readsEpisodeDetails();
    void rejectsEpisodeReplies();
    void readsShortGuideTimes_data();
    void readsShortGuideTimes();
    void decodesBase64Texts_data();
    void decodesBase64Texts();
    void readsShortGuideListings();
    void rejectsShortGuideReplies();
};

void XtreamDocumentsTest::readsEpisodesOfEveryShape_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QStringList>("episodes");

    QTest::newRow("seasons by number, in numeric order")
        << QByteArray(R"({"episodes":{"2":[{"id":"b","episode_num":1,"title":"B"}],"10":[{"id":"c","title":"C"}],
            "1":[{"id":"a","season":1,"episode_num":"3","title":"A"}]}})")
        << QStringList{u"a S1 E3 A"_s, u"b S2 E1 B"_s, u"c S10 E0 C"_s};
    QTest::newRow("plain list: season 0 unless given")
        << QByteArray(R"({"episodes":[{"id":"y","season":"3","title":"Y"},{"id":"x","title":"X"}]})")
        << QStringList{u"x S0 E0 X"_s, u"y S3 E0 Y"_s};
    QTest::newRow("a repeated id is kept from the season read first")
        << QByteArray(R"({"episodes":{"2":[{"id":"d","title":"Second"}],"1":[{"id":"d","title":"First"}]}})")
        << QStringList{u"d S1 E0 First"_s};
    QTest::newRow("untitled episodes are named by number")
        << QByteArray(R"({"episodes":[{"id":1,"episode_num":4},{"id":2,"episode_number":"5","episode":2},{"id":3}]})")
        << QStringList{u"3 S0 E0 Episode "_s, u"2 S0 E2 Episode 5"_s, u"1 S0 E4 Episode 4"_s};
    QTest::newRow("title keys in order")
        << QByteArray(R"({"episodes":[{"id":1,"title":"","name":"Name","episode_title":"E"},{"id":2,"episode_title":"E"}]})")
        << QStringList{u"1 S0 E0 Name"_s, u"2 S0 E0 E"_s};
    QTest::newRow("episode id keys in order")
        << QByteArray(R"({"episodes":[{"episode_id":"e"},{"episodeId":"f","stream_id":"g"},{"stream_id":"h"}]})")
        << QStringList{u"e S0 E0 Episode "_s, u"f S0 E0 Episode "_s, u"h S0 E0 Episode "_s};
    QTest::newRow("objects without id in a list of objects are skipped")
        << QByteArray(R"({"episodes":[{"title":"trailer"},{"id":"k","title":"K"}]})") << QStringList{u"k S0 E0 K"_s};
    QTest::newRow("lists of lists")
        << QByteArray(R"({"episodes":[[{"id":"a","title":"A"}],[{"id":"b","title":"B","season":2}]]})")
        << QStringList{u"a S0 E0 A"_s, u"b S2 E0 B"_s};
    QTest::newRow("a single episode object")
        << QByteArray(R"({"episodes":{"id":"solo","title":"Solo"}})") << QStringList{u"solo S0 E0 Solo"_s};
    QTest::newRow("a mixed list reads its objects as containers")
        << QByteArray(R"({"episodes":[{"4":[{"id":"m","title":"M"}]},5,"x",null]})") << QStringList{u"m S4 E0 M"_s};
    QTest::newRow("season names that are not numbers follow, in text order")
        << QByteArray(R"({"episodes":{"b":[{"id":"3","title":"T3"}],"a":[{"id":"2","title":"T2"}],"7":[{"id":"1","title":"T1"}]}})")
        << QStringList{u"2 S0 E0 T2"_s, u"3 S0 E0 T3"_s, u"1 S7 E0 T1"_s};
    QTest::newRow("other root members hold episodes; info and seasons do not")
        << QByteArray(R"({"seasons":[{"id":11,"name":"Season 1","season_number":1,"episode_count":8}],
            "info":{"id":99,"name":"The Show"},"3":[{"id":"z","title":"Z"}],"extra":[{"id":"e","title":"E"}],
            "episodes":{"1":[{"id":"a","title":"A"}]}})")
        << QStringList{u"e S0 E0 E"_s, u"a S1 E0 A"_s, u"z S3 E0 Z"_s};
    QTest::newRow("order: season, episode number, then id as text")
        << QByteArray(R"({"episodes":[{"id":"9","season":1,"episode_num":2},{"id":"10","season":1,"episode_num":2},
            {"id":"1","season":1,"episode_num":1},{"id":"0","season":0,"episode_num":9}]})")
        << QStringList{u"0 S0 E9 Episode 9"_s, u"1 S1 E1 Episode 1"_s, u"10 S1 E2 Episode 2"_s, u"9 S1 E2 Episode 2"_s};
    QTest::newRow("unreadable numbers fall back")
        << QByteArray(R"({"episodes":{"2":[{"id":"a","season":"two","episode_num":"1.5"}]}})")
        << QStringList{u"a S2 E0 Episode 1.5"_s};
    QTest::newRow("no episodes") << QByteArray(R"({"info":{"name":"Show"},"episodes":[]})") << QStringList{};
}

void XtreamDocumentsTest::readsEpisodesOfEveryShape()
{
    QFETCH(QByteArray, json);
    QFETCH(QStringList, episodes);

    const QList<SeriesEpisode> read = XtreamDocuments::seriesEpisodes(json, u"42"_s);
    QCOMPARE(summary(read), episodes);
    for (const SeriesEpisode &episode : read)
        QCOMPARE(episode.seriesID, u"42"_s);
}

void XtreamDocumentsTest::readsEpisodeDetails()
{
    const QList<SeriesEpisode> episodes = XtreamDocuments::seriesEpisodes(
        R"({"episodes":{"1":[
            {"id":"1","title":"Own","movie_image":"http://img/own.jpg","plot":"Own plot","container_extension":"mkv",
             "duration_secs":"2700","info":{"movie_image":"http://img/info.jpg","plot":"Info plot","duration_secs":99}},
            {"id":"2","title":"From info","extension":"mp4","duration":"00:45:00",
             "info":{"cover_big":"http://img/info2.jpg","description":"Info description","duration_secs":2400}},
            {"id":"3","title":"Bad address","cover":"http://exa mple.com/x.jpg","duration_seconds":1800}
        ]}})",
        u"7"_s);
    QCOMPARE(episodes.size(), 3);

    QCOMPARE(episodes[0].artworkURL, QUrl(u"http://img/own.jpg"_s));
    QCOMPARE(episodes[0].plot, u"Own plot"_s);
    QCOMPARE(episodes[0].containerExtension, u"mkv"_s);
    QCOMPARE(episodes[0].durationSeconds, 2700);

    QCOMPARE(episodes[1].artworkURL, QUrl(u"http://img/info2.jpg"_s));
    QCOMPARE(episodes[1].plot, u"Info description"_s);
    QCOMPARE(episodes[1].containerExtension, u"mp4"_s);
    QCOMPARE(episodes[1].durationSeconds, std::nullopt); // a clock text, and "info" is not read for it

    QCOMPARE(episodes[2].artworkURL, std::nullopt);
    QCOMPARE(episodes[2].plot, std::nullopt);
    QCOMPARE(episodes[2].durationSeconds, 1800);
    QCOMPARE(episodes[2].id(), u"7:3"_s);

    // A lone half of a surrogate pair costs only itself; a NUL is dropped.
    const QList<SeriesEpisode> odd =
        XtreamDocuments::seriesEpisodes(R"({"episodes":[{"id":"4","title":"Pilot \ud800","plot":"a\u0000b"}]})", u"7"_s);
    QCOMPARE(odd.size(), 1);
    QCOMPARE(odd[0].title, u"Pilot \uFFFD"_s);
    QCOMPARE(odd[0].plot, u"ab"_s);
}

void XtreamDocumentsTest::rejectsEpisodeReplies()
{
    QCOMPARE(outcome([] { (void)XtreamDocuments::seriesEpisodes(R"([{"id":1}])", u"1"_s); }), unreadableResponse);
    QCOMPARE(outcome([] { (void)XtreamDocuments::seriesEpisodes("null", u"1"_s); }), unreadableResponse);
    QCOMPARE(outcome([] { (void)XtreamDocuments::seriesEpisodes(R"({"episodes":[)", u"1"_s); }), parseError);
    QCOMPARE(outcome([] { (void)XtreamDocuments::seriesEpisodes("", u"1"_s); }), parseError);
}

void XtreamDocumentsTest::readsShortGuideTimes_data()
{
    QTest::addColumn<QByteArray>("times");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");

    QTest::newRow("epoch seconds and milliseconds")
        << QByteArray(R"("start_timestamp":"1700000000","stop_timestamp":1700003600000)")
        << u"2023-11-14T22:13:20.000Z"_s << u"2023-11-14T23:13:20.000Z"_s;
    QTest::newRow("fractional seconds")
        << QByteArray(R"("start_timestamp":1700000000.5,"stop_timestamp":" 1700003600 ")")
        << u"2023-11-14T22:13:20.500Z"_s << u"2023-11-14T23:13:20.000Z"_s;
    QTest::newRow("local date texts, winter and summer")
        << QByteArray(R"("start":"2024-01-15 20:00:00","end":"2024-07-15 20:00:00")") << u"2024-01-15T19:00:00.000Z"_s
        << u"2024-07-15T18:00:00.000Z"_s;
    QTest::newRow("internet date-times with Z and offsets")
        << QByteArray(R"("start_time":"2024-01-15T19:00:00Z","end_time":"2024-01-15T21:30:00+01:00")")
        << u"2024-01-15T19:00:00.000Z"_s << u"2024-01-15T20:30:00.000Z"_s;
    QTest::newRow("negative offset without colon")
        << QByteArray(R"("start":"2024-01-15T19:00:00-0500","end":"2024-01-16T01:00:00Z")")
        << u"2024-01-16T00:00:00.000Z"_s << u"2024-01-16T01:00:00.000Z"_s;
    QTest::newRow("an unreadable text gives way to the next key")
        << QByteArray(R"("start_timestamp":"soon","start":"2024-01-15 20:00:00","stop_timestamp":"","end":"2024-01-15 21:00:00")")
        << u"2024-01-15T19:00:00.000Z"_s << u"2024-01-15T20:00:00.000Z"_s;
}

void XtreamDocumentsTest::readsShortGuideTimes()
{
    QFETCH(QByteArray, times);
    QFETCH(QString, start);
    QFETCH(QString, end);

    const QList<LiveProgramme> programmes = XtreamDocuments::shortGuide(listing(R"("title":"News",)" + times));
    QCOMPARE(summary(programmes), QStringList{u"News "_s + start + u' ' + end});
}

void XtreamDocumentsTest::decodesBase64Texts_data()
{
    QTest::addColumn<QString>("sent");
    QTest::addColumn<QString>("shown");

    QTest::newRow("Base64 of UTF-8 text") << u"TmV3cyDDoCBsYSB1bmU="_s << u"News à la une"_s;
    QTest::newRow("length not a multiple of four") << u"Sport"_s << u"Sport"_s;
    QTest::newRow("missing padding") << u"Zm9vYg"_s << u"Zm9vYg"_s;
    QTest::newRow("valid Base64 that is not UTF-8") << u"////"_s << u"////"_s;
    QTest::newRow("whitespace inside") << u"Zm9v YmFy"_s << u"Zm9v YmFy"_s;
    QTest::newRow("padding inside") << u"Zg==Zm9v"_s << u"Zg==Zm9v"_s;
    QTest::newRow("non-Latin text") << u"Новости"_s << u"Новости"_s;
}

void XtreamDocumentsTest::decodesBase64Texts()
{
    QFETCH(QString, sent);
    QFETCH(QString, shown);

    const QByteArray members = R"("start_timestamp":1700000000,"stop_timestamp":1700003600,"title":")" + sent.toUtf8()
        + R"(","description":")" + sent.toUtf8() + R"(","id":")" + sent.toUtf8() + R"(")";
    const QList<LiveProgramme> programmes = XtreamDocuments::shortGuide(listing(members));
    QCOMPARE(programmes.size(), 1);
    QCOMPARE(programmes[0].title, shown);
    QCOMPARE(programmes[0].description, shown);
    QCOMPARE(programmes[0].id, shown);
}

void XtreamDocumentsTest::readsShortGuideListings()
{
    const QList<LiveProgramme> programmes = XtreamDocuments::shortGuide(R"([
        {"title":"Late","start_timestamp":1700007200,"stop_timestamp":1700010800,"epg_id":"e2","epg_channel":"ch"},
        {"name":"Early","start_timestamp":1700000000,"stop_timestamp":1700003600,"id":"e1","channel_id":"c1",
         "tvg_id":"t","plot":"P"},
        {"title":"Same","start_timestamp":1700000000,"stop_timestamp":1700003600,"description":"D","plot":"P"},
        {"title":"Zero length","start_timestamp":1700000000,"stop_timestamp":1700000000},
        {"title":"Backwards","start_timestamp":1700003600,"stop_timestamp":1700000000},
        {"title":"","start_timestamp":1700000000,"stop_timestamp":1700003600},
        {"title":"No end","start_timestamp":1700000000},
        {"start_timestamp":1700000000,"stop_timestamp":1700003600}
    ])");
    QCOMPARE(programmes.size(), 3);
    // Sorted by start, keeping the reply's order for equal starts.
    QCOMPARE(programmes[0].title, u"Early"_s);
    QCOMPARE(programmes[0].id, u"e1"_s);
    QCOMPARE(programmes[0].channelID, u"c1"_s);
    QCOMPARE(programmes[0].description, u"P"_s);
    QCOMPARE(programmes[1].title, u"Same"_s);
    QCOMPARE(programmes[1].description, u"D"_s);
    QCOMPARE(programmes[1].channelID, std::nullopt);
    QCOMPARE(QUuid::fromString(programmes[1].id).isNull(), false); // made up when the reply has none
    QCOMPARE(programmes[2].title, u"Late"_s);
    QCOMPARE(programmes[2].id, u"e2"_s);
    QCOMPARE(programmes[2].channelID, u"ch"_s);

    QCOMPARE(XtreamDocuments::shortGuide(R"({"epg_listings":[]})"), QList<LiveProgramme>{});
    QCOMPARE(XtreamDocuments::shortGuide("[]"), QList<LiveProgramme>{});
}

void XtreamDocumentsTest::rejectsShortGuideReplies()
{
    QCOMPARE(outcome([] { (void)XtreamDocuments::shortGuide(R"({"listings":[]})"); }), unreadableResponse);
    QCOMPARE(outcome([] { (void)XtreamDocuments::shortGuide(R"({"epg_listings":[{"title":"A"},3]})"); }), unreadableResponse);
    QCOMPARE(outcome([] { (void)XtreamDocuments::shortGuide(R"({"epg_listings":"none"})"); }), unreadableResponse);
    QCOMPARE(outcome([] { (void)XtreamDocuments::shortGuide(R"([1,2])"); }), unreadableResponse);
    QCOMPARE(outcome([] { (void)XtreamDocuments::shortGuide("<html>"); }), parseError);
}

QUILLMERE_TEST_MAIN_IN_CENTRAL_EUROPEAN_TIME(XtreamDocumentsTest)
#include "tst_xtreamdocuments.moc"
