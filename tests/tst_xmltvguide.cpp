#include "Provider/XMLTVGuideParser.h"
#include "Provider/XMLTVGuideStream.h"
#include "Provider/XtreamAPIError.h"
#include "Support/CancellationError.h"
#include "support/CentralEuropeanTime.h"
#include "support/CatalogueItems.h"

#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

QByteArray programme(const QByteArray &channel, const QByteArray &title, const QByteArray &start = "20240115190000 +0000",
                     const QByteArray &stop = "20240115200000 +0000")
{
    return "<programme start=\"" + start + "\" stop=\"" + stop + "\" channel=\"" + channel + "\">\n  <title lang=\"en\">"
        + title + "</title>\n  <desc lang=\"en\">About " + title + ".</desc>\n</programme>\n";
}

const QByteArray documentHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE tv SYSTEM \"xmltv.dtd\">\n"
                                "<tv generator-info-name=\"test\">\n  <channel id=\"one.uk\"><display-name>One</display-name>"
                                "</channel>\n  <!-- channels end here -->\n";

struct Reading
{
    QList<GuideProgramme> programmes;
    bool complete = false;
};

Reading readInChunks(QByteArrayView document, qsizetype chunkSize,
                     BodyMeter::Limits limits = XMLTVGuideStream::bodyLimits)
{
    Reading reading;
    XMLTVGuideStream stream([&](const GuideProgramme &programme) { reading.programmes.append(programme); }, limits);
    const std::stop_source running;
    try {
        for (qsizetype at = 0; at < document.size(); at += chunkSize)
            stream.feed(document.sliced(at, qMin(chunkSize, document.size() - at)), running.get_token());
        stream.finish();
        reading.complete = true;
    } catch (const XtreamAPIError &error) {
        if (error.kind() != XtreamAPIError::Kind::InvalidResponse)
            throw;
    }
    if (stream.programmeCount() != reading.programmes.size())
        qFatal("programme count differs from the programmes handed over");
    return reading;
}

const QByteArray threeProgrammes =
    documentHead + programme("one.uk", "A") + programme("one.uk", "B") + programme("one.uk", "C") + "</tv>\n";

QDateTime utc(const QString &text)
{
    return QDateTime::fromString(text, Qt::ISODate).toUTC();
}

} // namespace

// Test bodies stand outside the class: their XML texts would confuse moc's reading of it.
class XMLTVGuideTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsDates_data();
    void readsDates();
    void readsAttributes_data();
    void readsAttributes();
    void readsElementTexts_data();
    void readsElementTexts();
    void readsProgrammes();
    void skipsUnusableProgrammes_data();
    void skipsUnusableProgrammes();
    void streamsADocumentInAnyChunks();
    void failsADocumentWithoutItsEnd();
    void dropsOversizedElements();
    void refusesABodyPastItsLimits_data();
    void refusesABodyPastItsLimits();
    void stopsWhenCancelled();
    void passesTheConsumersErrorOn();
};

void XMLTVGuideTest::readsDates_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QDateTime>("moment");

    const QDateTime sevenPM = utc(u"2024-01-15T19:00:00Z"_s);
    QTest::newRow("+0100") << QByteArray("20240115200000 +0100") << sevenPM;
    QTest::newRow("+0000") << QByteArray("20240115190000 +0000") << sevenPM;
    QTest::newRow("+01:00 reads like +0100") << QByteArray("20240115200000 +01:00") << sevenPM;
    QTest::newRow("-0530") << QByteArray("20240115133000 -0530") << sevenPM;
    QTest::newRow("only sign and four digits count") << QByteArray("20240115200000 +01:00:30") << sevenPM;
    QTest::newRow("UTC") << QByteArray("20240115190000 UTC") << sevenPM;
    QTest::newRow("utc+2 is read as UTC") << QByteArray("20240115190000 utc+2") << sevenPM;
    QTest::newRow("Z") << QByteArray("20240115190000 Z") << sevenPM;
    QTest::newRow("z") << QByteArray("20240115190000 z") << sevenPM;
    QTest::newRow("no zone: local winter time") << QByteArray("20240115200000") << sevenPM;
    QTest::newRow("no zone: local summer time") << QByteArray("20240715200000") << utc(u"2024-07-15T18:00:00Z"_s);
    QTest::newRow("GMT is read in the local zone") << QByteArray("20240115200000 GMT") << sevenPM;
    QTest::newRow("named zones are read in the local zone") << QByteArray("20240115200000 Europe/London") << sevenPM;
    QTest::newRow("tabs and extra pieces") << QByteArray("\t20240115200000\t +0100 extra") << sevenPM;
    QTest::newRow("last hour before the summer change") << QByteArray("20240331015959") << utc(u"2024-03-31T00:59:59Z"_s);
    QTest::newRow("first hour after the summer change") << QByteArray("20240331030000") << utc(u"2024-03-31T01:00:00Z"_s);
    QTest::newRow("leap day") << QByteArray("20240229120000 +0000") << utc(u"2024-02-29T12:00:00Z"_s);
    QTest::newRow("a local time that does not exist") << QByteArray("20240331023000") << QDateTime();
    QTest::newRow("12 digits") << QByteArray("202401151900 +0000") << QDateTime();
    QTest::newRow("15 digits") << QByteArray("202401151900000 +0000") << QDateTime();
    QTest::newRow("not digits") << QByteArray("2024-01-15T190 +0000") << QDateTime();
    QTest::newRow("month 13") << QByteArray("20241315190000 +0000") << QDateTime();
    QTest::newRow("30 February") << QByteArray("20240230120000 +0000") << QDateTime();
    QTest::newRow("hour 24") << QByteArray("20240115240000 +0000") << QDateTime();
    QTest::newRow("short offset") << QByteArray("20240115190000 +1") << QDateTime();
    QTest::newRow("offset with letters") << QByteArray("20240115190000 +01a0") << QDateTime();
    QTest::newRow("empty") << QByteArray() << QDateTime();
    QTest::newRow("blanks only") << QByteArray(" \t ") << QDateTime();
}

void XMLTVGuideTest::readsDates()
{
    QFETCH(QByteArray, text);
    QFETCH(QDateTime, moment);

    XMLTVGuideParser parser;
    // Twice: the second reading comes from the parser's cache of local offsets.
    for (int round = 0; round < 2; ++round)
        QCOMPARE(parser.date(text).value_or(QDateTime()), moment);
}

void XMLTVGuideTest::readsAttributes_data()
{
    QTest::addColumn<QByteArray>("tag");
    QTest::addColumn<QString>("channel");

    QTest::newRow("double quotes") << QByteArray(R"(<programme start="1" channel="one.uk")") << u"one.uk"_s;
    QTest::newRow("single quotes") << QByteArray(R"(<programme channel='one.uk' stop="2")") << u"one.uk"_s;
    QTest::newRow("blanks after the equals sign") << QByteArray("<programme channel=\t \"one.uk\"") << u"one.uk"_s;
    QTest::newRow("name in any case, value trimmed") << QByteArray(R"(<programme CHANNEL="  One.UK  ")") << u"One.UK"_s;
    QTest::newRow("other quotes inside") << QByteArray(R"(<programme channel="it's")") << u"it's"_s;
    QTest::newRow("entities are kept") << QByteArray(R"(<programme channel="a&amp;b")") << u"a&amp;b"_s;
    QTest::newRow("UTF-8 value") << QByteArray(R"(<programme channel="Télé.fr")") << u"Télé.fr"_s;
    // A NUL would cut the id short where it is stored.
    QTest::newRow("a NUL is dropped") << QByteArray("<programme channel=\"one\0.uk\"", 28) << u"one.uk"_s;
    QTest::newRow("no quotes") << QByteArray("<programme channel=one.uk") << QString();
    QTest::newRow("no closing quote") << QByteArray(R"(<programme channel="one.uk)") << QString();
    QTest::newRow("empty value") << QByteArray(R"(<programme channel=" ")") << QString();
    QTest::newRow("blank before the equals sign") << QByteArray(R"(<programme channel ="one.uk")") << QString();
    QTest::newRow("absent") << QByteArray(R"(<programme start="1")") << QString();
}

void XMLTVGuideTest::readsAttributes()
{
    QFETCH(QByteArray, tag);
    QFETCH(QString, channel);

    QCOMPARE(XMLTVGuideParser::attribute("channel", tag).value_or(QString()), channel);
}

void XMLTVGuideTest::readsElementTexts_data()
{
    QTest::addColumn<QByteArray>("element");
    QTest::addColumn<QString>("title");

    QTest::newRow("plain") << QByteArray(R"(<programme><title lang="en">News</title></programme>)") << u"News"_s;
    QTest::newRow("trimmed") << QByteArray("<programme><title>\n  News \n</title>") << u"News"_s;
    QTest::newRow("tag in any case") << QByteArray("<programme><TITLE>News</Title>") << u"News"_s;
    QTest::newRow("the first of several titles, without markup")
        << QByteArray(R"(<programme><title lang="en">News</title><title lang="de">Nachrichten</title></programme>)")
        << u"News"_s;
    QTest::newRow("CDATA with an entity")
        << QByteArray("<programme><title><![CDATA[Tom &amp; Jerry]]></title>") << u"Tom & Jerry"_s;
    QTest::newRow("CDATA with markup") << QByteArray("<programme><title><![CDATA[<b>Bold</b>]]></title>") << u"<b>Bold</b>"_s;
    QTest::newRow("named entities") << QByteArray("<programme><title>&lt;A&gt; &quot;B&quot; &apos;C&apos;</title>")
                                    << u"<A> \"B\" 'C'"_s;
    QTest::newRow("an escaped entity stays an entity") << QByteArray("<programme><title>&amp;lt; &amp;amp;</title>")
                                                       << u"&lt; &amp;"_s;
    QTest::newRow("character references")
        << QByteArray("<programme><title>&#233;t&#xE9; &#X1F3AC;</title>") << u"été 🎬"_s;
    QTest::newRow("unknown and broken references stay")
        << QByteArray("<programme><title>&nbsp; &#0; &#xD800; &#12 &# &x; AT&T</title>")
        << u"&nbsp; &#0; &#xD800; &#12 &# &x; AT&T"_s;
    QTest::newRow("a NUL is dropped") << QByteArray("<programme><title>Ne\0ws</title>", 31) << u"News"_s;
    QTest::newRow("empty") << QByteArray("<programme><title>  </title>") << QString();
    QTest::newRow("empty CDATA") << QByteArray("<programme><title><![CDATA[]]></title>") << QString();
    QTest::newRow("no closing tag") << QByteArray("<programme><title>News</programme>") << QString();
    QTest::newRow("closing tag before the opening one") << QByteArray("<programme></title><title>News") << QString();
    QTest::newRow("absent") << QByteArray("<programme><desc>News</desc>") << QString();
}

void XMLTVGuideTest::readsElementTexts()
{
    QFETCH(QByteArray, element);
    QFETCH(QString, title);

    QCOMPARE(XMLTVGuideParser::elementText("title", element).value_or(QString()), title);
}

void XMLTVGuideTest::readsProgrammes()
{
    XMLTVGuideParser parser;
    const std::optional<GuideProgramme> full = parser.parse(
        R"(<programme start="20240115200000 +0100" stop="" end="20240115210000 +0100" channel="one.uk">
            <title lang="en">News</title><desc lang="en">Headlines &amp; weather</desc></programme>)");
    QVERIFY(full);
    QCOMPARE(full->channelID, u"one.uk"_s);
    QCOMPARE(full->title, u"News"_s);
    QCOMPARE(full->description, u"Headlines & weather"_s);
    QCOMPARE(full->start, utc(u"2024-01-15T19:00:00Z"_s));
    QCOMPARE(full->end, utc(u"2024-01-15T20:00:00Z"_s)); // "end" stands in for an empty "stop"

    const std::optional<GuideProgramme> described = parser.parse(
        R"(<programme start="20240115190000 +0000" stop="20240115200000 +0000" channel="x">
            <title>T</title><description>Long form</description></programme>)");
    QVERIFY(described);
    QCOMPARE(described->description, u"Long form"_s);
}

void XMLTVGuideTest::skipsUnusableProgrammes_data()
{
    QTest::addColumn<QByteArray>("element");

    QTest::newRow("no channel") << QByteArray(R"(<programme start="20240115190000 +0000" stop="20240115200000 +0000"><title>T</title></programme>)");
    QTest::newRow("no title") << QByteArray(R"(<programme start="20240115190000 +0000" stop="20240115200000 +0000" channel="c"><desc>D</desc></programme>)");
    QTest::newRow("no start") << QByteArray(R"(<programme stop="20240115200000 +0000" channel="c"><title>T</title></programme>)");
    QTest::newRow("start of 12 digits") << QByteArray(R"(<programme start="202401151900 +0000" stop="20240115200000 +0000" channel="c"><title>T</title></programme>)");
    QTest::newRow("no stop") << QByteArray(R"(<programme start="20240115190000 +0000" channel="c"><title>T</title></programme>)");
    QTest::newRow("ends when it starts") << QByteArray(R"(<programme start="20240115190000 +0000" stop="20240115200000 +0100" channel="c"><title>T</title></programme>)");
    QTest::newRow("ends before it starts") << QByteArray(R"(<programme start="20240115200000 +0000" stop="20240115190000 +0000" channel="c"><title>T</title></programme>)");
    QTest::newRow("not UTF-8") << QByteArray("<programme start=\"20240115190000 +0000\" stop=\"20240115200000 +0000\" channel=\"c\"><title>\xC0\xAF</title></programme>");
    QTest::newRow("no end of the opening tag") << QByteArray(R"(<programme start="20240115190000 +0000")");
}

void XMLTVGuideTest::skipsUnusableProgrammes()
{
    QFETCH(QByteArray, element);

    XMLTVGuideParser parser;
    QVERIFY(!parser.parse(element));
}

void XMLTVGuideTest::streamsADocumentInAnyChunks()
{
    const QByteArray document = documentHead + programme("one.uk", "First") + "<programmes/>\n"
        + programme("one.uk", "Broken", "2024") + programme("two.uk", "Second &amp; last") + "</tv>\n";
    // Chunks of every small size split "<programme", "</programme>" and "</tv>" at every place.
    for (qsizetype chunkSize : {1, 2, 3, 4, 5, 6, 7, 11, 1 << 20}) {
        QTest::ignoreMessage(QtInfoMsg, "XMLTV stream completed: parsed 2 programme elements");
        const Reading reading = readInChunks(document, chunkSize);
        QVERIFY(reading.complete);
        QCOMPARE(titles(reading.programmes), (QStringList{u"First"_s, u"Second & last"_s}));
        QCOMPARE(reading.programmes[1].channelID, u"two.uk"_s);
        QCOMPARE(reading.programmes[1].description, u"About Second & last."_s);
    }
}

void XMLTVGuideTest::failsADocumentWithoutItsEnd()
{
    const QByteArray cut = documentHead + programme("one.uk", "First") + programme("one.uk", "Second");
    for (qsizetype chunkSize : {3, 1 << 20}) {
        const Reading reading = readInChunks(cut, chunkSize);
        QVERIFY(!reading.complete);
        QCOMPARE(titles(reading.programmes), (QStringList{u"First"_s, u"Second"_s}));
    }
    // "</tv>" counts wherever it comes; the reading still goes on to the end of the body.
    QTest::ignoreMessage(QtInfoMsg, "XMLTV stream completed: parsed 2 programme elements");
    const Reading early = readInChunks(QByteArray(documentHead + "</tv>" + programme("one.uk", "A") + programme("one.uk", "B")), 4);
    QVERIFY(early.complete);
    QCOMPARE(early.programmes.size(), 2);
}

void XMLTVGuideTest::dropsOversizedElements()
{
    // An element may take the limit and one byte more; one more byte than that drops it.
    const QByteArray skeleton = programme("one.uk", "Big");
    const QByteArray filler = "<desc>";
    const auto elementOfSize = [&](qsizetype size) {
        QByteArray element = skeleton.trimmed();
        element.insert(element.indexOf("</programme>"), filler + QByteArray(size - element.size() - filler.size(), 'x'));
        Q_ASSERT(element.size() == size);
        return element;
    };
    const QByteArray largest = elementOfSize(XMLTVGuideParser::maximumElementSize + 1);
    const QByteArray tooLarge = elementOfSize(XMLTVGuideParser::maximumElementSize + 2);
    for (qsizetype chunkSize : {qsizetype(4096), qsizetype(8 << 20)}) {
        QTest::ignoreMessage(QtInfoMsg, "XMLTV stream completed: parsed 3 programme elements");
        const QByteArray document =
            documentHead + largest + programme("one.uk", "After") + tooLarge + programme("one.uk", "Last") + "</tv>";
        const Reading reading = readInChunks(document, chunkSize);
        QCOMPARE(titles(reading.programmes), (QStringList{u"Big"_s, u"After"_s, u"Last"_s}));
    }
}

// A guide may hold as many bytes and programmes as its limits allow; one more of either refuses
// it, and no programme past the limit is handed over.
void XMLTVGuideTest::refusesABodyPastItsLimits_data()
{
    QTest::addColumn<qint64>("byteLimit");
    QTest::addColumn<qint64>("programmeLimit");
    QTest::addColumn<bool>("accepted");

    const qint64 size = threeProgrammes.size();
    QTest::newRow("both limits reached") << size << qint64(3) << true;
    QTest::newRow("one byte more") << size - 1 << qint64(3) << false;
    QTest::newRow("one programme more") << size << qint64(2) << false;
}

void XMLTVGuideTest::refusesABodyPastItsLimits()
{
    QFETCH(qint64, byteLimit);
    QFETCH(qint64, programmeLimit);
    QFETCH(bool, accepted);

    for (qsizetype chunkSize : {5, 1 << 20}) {
        if (accepted)
            QTest::ignoreMessage(QtInfoMsg, "XMLTV stream completed: parsed 3 programme elements");
        const Reading reading = readInChunks(threeProgrammes, chunkSize, {byteLimit, programmeLimit});
        QCOMPARE(reading.complete, accepted);
        QVERIFY(reading.programmes.size() <= programmeLimit);
    }
}

void XMLTVGuideTest::stopsWhenCancelled()
{
    std::stop_source cancelled;
    cancelled.request_stop();
    XMLTVGuideStream untouched([](const GuideProgramme &) { QFAIL("no programme after cancellation"); });
    QVERIFY_THROWS_EXCEPTION(CancellationError, untouched.feed(programme("one.uk", "A"), cancelled.get_token()));

    std::stop_source running;
    QByteArray many;
    for (int index = 0; index < 1000; ++index)
        many += programme("one.uk", "Item " + QByteArray::number(index));
    XMLTVGuideStream stream([&](const GuideProgramme &) { running.request_stop(); });
    QVERIFY_THROWS_EXCEPTION(CancellationError, stream.feed(many, running.get_token()));
    QVERIFY(stream.programmeCount() >= 1 && stream.programmeCount() < 1000);
}

void XMLTVGuideTest::passesTheConsumersErrorOn()
{
    XMLTVGuideStream stream([](const GuideProgramme &) { throw std::logic_error("staging failed"); });
    const std::stop_source running;
    QVERIFY_THROWS_EXCEPTION(std::logic_error, stream.feed(programme("one.uk", "A"), running.get_token()));
}

QUILLMERE_TEST_MAIN_IN_CENTRAL_EUROPEAN_TIME(XMLTVGuideTest)
#include "tst_xmltvguide.moc"
