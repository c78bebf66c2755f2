#include "Provider/JSONObjectStream.h"
#include "Provider/XtreamAPIError.h"
#include "Support/CancellationError.h"

#include <QTest>

#include <numeric>
#include <stdexcept>

namespace {

struct Outcome
{
    QList<QList<QByteArray>> batches;
    bool failed = false; // invalidResponse, during the feed or at the end
};

Outcome readInChunks(QByteArrayView document, qsizetype chunkSize,
                     BodyMeter::Limits limits = JSONObjectStream::bodyLimits)
{
    Outcome outcome;
    JSONObjectStream stream([&](const QList<QByteArray> &batch) { outcome.batches.append(batch); }, limits);
    const std::stop_source running;
    try {
        for (qsizetype at = 0; at < document.size(); at += chunkSize)
            stream.feed(document.sliced(at, qMin(chunkSize, document.size() - at)), running.get_token());
        stream.finish();
    } catch (const XtreamAPIError &error) {
        outcome.failed = error.kind() == XtreamAPIError::Kind::InvalidResponse;
        if (!outcome.failed)
            throw;
    }
    return outcome;
}

QByteArray arrayOf(int count, const QByteArray &padding = {})
{
    QByteArray document = "[";
    for (int index = 0; index < count; ++index)
        document += (index > 0 ? "," : "") + QByteArray(R"({"stream_id":)") + QByteArray::number(index) + ",\"pad\":\""
            + padding + "\"}";
    return document + "]";
}

QList<qsizetype> batchSizes(const Outcome &outcome)
{
    QList<qsizetype> sizes;
    for (const QList<QByteArray> &batch : outcome.batches)
        sizes.append(batch.size());
    return sizes;
}

// An object of exactly `size` bytes.
QByteArray objectOfSize(qsizetype size)
{
    const QByteArray head = R"({"name":")";
    const QByteArray tail = R"("})";
    return head + QByteArray(size - head.size() - tail.size(), 'x') + tail;
}

} // namespace

// Test bodies stand outside the class: their JSON texts would confuse moc's reading of it.
class JSONObjectStreamTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cutsObjects_data();
    void cutsObjects();
    void deliversBatchesOfAHundred_data();
    void deliversBatchesOfAHundred();
    void limitsTheSizeOfOneObject();
    void refusesABodyPastItsLimits_data();
    void refusesABodyPastItsLimits();
    void stopsWhenCancelled();
    void passesTheConsumersErrorOn();
};

void JSONObjectStreamTest::cutsObjects_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QList<QByteArray>>("objects");
    QTest::addColumn<bool>("complete");

    QTest::newRow("braces and brackets inside strings")
        << QByteArray(R"([{"a":"{[}]"},{"b":"x}"}])") << QList<QByteArray>{R"({"a":"{[}]"})", R"({"b":"x}"})"} << true;
    QTest::newRow("escaped quotes and backslashes before a closing brace")
        << QByteArray(R"([{"a":"say \"}\" \\"},{"b":"\\\"}"}])")
        << QList<QByteArray>{R"({"a":"say \"}\" \\"})", R"({"b":"\\\"}"})"} << true;
    QTest::newRow("nested objects and arrays of objects stay in their item")
        << QByteArray(R"([{"info":{"x":{"y":1}},"list":[{"z":2},{"w":[3]}]} , {"n":1}])")
        << QList<QByteArray>{R"({"info":{"x":{"y":1}},"list":[{"z":2},{"w":[3]}]})", R"({"n":1})"} << true;
    QTest::newRow("byte-order mark and text before the document")
        << QByteArray("\xEF\xBB\xBFNotice: deprecated\n[{\"a\":1}]") << QList<QByteArray>{R"({"a":1})"} << true;
    QTest::newRow("scalar elements are skipped")
        << QByteArray(R"([1,"x",{"a":1},null,true])") << QList<QByteArray>{R"({"a":1})"} << true;
    QTest::newRow("empty array with trailing whitespace") << QByteArray("[]\n \r\n\t") << QList<QByteArray>{} << true;
    QTest::newRow("objects spread over lines")
        << QByteArray("[\n  {\"a\": 1},\n  {\"b\": 2}\n]\n") << QList<QByteArray>{"{\"a\": 1}", "{\"b\": 2}"} << true;
    QTest::newRow("single object root") << QByteArray(R"({"user_info":{"auth":0}})") << QList<QByteArray>{} << false;
    QTest::newRow("empty body") << QByteArray() << QList<QByteArray>{} << false;
    QTest::newRow("whitespace only") << QByteArray(" \n") << QList<QByteArray>{} << false;
    QTest::newRow("array never closed") << QByteArray(R"([{"a":1})") << QList<QByteArray>{} << false;
    QTest::newRow("cut inside an object") << QByteArray(R"([{"a":1},{"b":)") << QList<QByteArray>{} << false;
    QTest::newRow("cut inside a string") << QByteArray(R"([{"a":1},{"b":"]}])") << QList<QByteArray>{} << false;
    QTest::newRow("text after the array") << QByteArray(R"([{"a":1}] <br>)") << QList<QByteArray>{} << false;
}

void JSONObjectStreamTest::cutsObjects()
{
    QFETCH(QByteArray, document);
    QFETCH(QList<QByteArray>, objects);
    QFETCH(bool, complete);

    // Every chunk size from one byte up splits markers, escapes and strings at every place.
    for (qsizetype chunkSize : {1, 2, 3, 4, 5, 6, 7, 4096}) {
        const Outcome outcome = readInChunks(document, chunkSize);
        QCOMPARE(outcome.failed, !complete);
        QCOMPARE(outcome.batches, objects.isEmpty() ? QList<QList<QByteArray>>{} : QList<QList<QByteArray>>{objects});
    }
}

void JSONObjectStreamTest::deliversBatchesOfAHundred_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QList<qsizetype>>("batches");
    QTest::addColumn<bool>("complete");

    QTest::newRow("250 objects") << arrayOf(250) << QList<qsizetype>{100, 100, 50} << true;
    QTest::newRow("exactly 100") << arrayOf(100) << QList<qsizetype>{100} << true;
    const QByteArray cut = arrayOf(150);
    QTest::newRow("cut after 150 objects") << cut.chopped(1) << QList<qsizetype>{100} << false;
}

void JSONObjectStreamTest::deliversBatchesOfAHundred()
{
    QFETCH(QByteArray, document);
    QFETCH(QList<qsizetype>, batches);
    QFETCH(bool, complete);

    for (qsizetype chunkSize : {7, 1000, 1 << 20}) {
        const Outcome outcome = readInChunks(document, chunkSize);
        QCOMPARE(batchSizes(outcome), batches);
        QCOMPARE(outcome.failed, !complete);
        QCOMPARE(outcome.batches.constFirst().constFirst(), QByteArray(R"({"stream_id":0,"pad":""})"));
    }
}

void JSONObjectStreamTest::limitsTheSizeOfOneObject()
{
    const QByteArray largest = objectOfSize(JSONObjectStream::maximumObjectSize);
    const QByteArray tooLarge = objectOfSize(JSONObjectStream::maximumObjectSize + 1);
    for (qsizetype chunkSize : {qsizetype(65536), qsizetype(16 << 20)}) {
        const Outcome accepted = readInChunks(QByteArray("[" + largest + "]"), chunkSize);
        QVERIFY(!accepted.failed);
        QCOMPARE(accepted.batches.constFirst().constFirst().size(), largest.size());
        QVERIFY(readInChunks(QByteArray("[" + tooLarge + "]"), chunkSize).failed);
    }
    // An object that never closes fails while it grows, not at the end of the body.
    JSONObjectStream stream([](const QList<QByteArray> &) {});
    const std::stop_source running;
    QVERIFY_THROWS_EXCEPTION(XtreamAPIError, stream.feed(QByteArray("[" + objectOfSize(JSONObjectStream::maximumObjectSize + 64).chopped(2)),
                                                          running.get_token()));
}

// A list may hold as many bytes and objects as its limits allow; one more of either refuses it,
// and no object past the limit is handed over.
void JSONObjectStreamTest::refusesABodyPastItsLimits_data()
{
    QTest::addColumn<qint64>("byteLimit");
    QTest::addColumn<qint64>("objectLimit");
    QTest::addColumn<bool>("accepted");

    const qint64 size = arrayOf(250).size();
    QTest::newRow("both limits reached") << size << qint64(250) << true;
    QTest::newRow("one byte more") << size - 1 << qint64(250) << false;
    QTest::newRow("one object more") << size << qint64(249) << false;
}

void JSONObjectStreamTest::refusesABodyPastItsLimits()
{
    QFETCH(qint64, byteLimit);
    QFETCH(qint64, objectLimit);
    QFETCH(bool, accepted);

    for (qsizetype chunkSize : {7, 1000, 1 << 20}) {
        const Outcome outcome = readInChunks(arrayOf(250), chunkSize, {byteLimit, objectLimit});
        QCOMPARE(outcome.failed, !accepted);
        const QList<qsizetype> sizes = batchSizes(outcome);
        QVERIFY(std::accumulate(sizes.cbegin(), sizes.cend(), qsizetype(0)) <= objectLimit);
    }
}

void JSONObjectStreamTest::stopsWhenCancelled()
{
    std::stop_source cancelled;
    cancelled.request_stop();
    JSONObjectStream untouched([](const QList<QByteArray> &) { QFAIL("no batch after cancellation"); });
    QVERIFY_THROWS_EXCEPTION(CancellationError, untouched.feed(arrayOf(150), cancelled.get_token()));

    // Cancelled by the consumer in the middle of a large chunk: the reading stops within it.
    std::stop_source running;
    int batches = 0;
    JSONObjectStream stream([&](const QList<QByteArray> &) {
        ++batches;
        running.request_stop();
    });
    QVERIFY_THROWS_EXCEPTION(CancellationError, stream.feed(arrayOf(2000, QByteArray(200, 'p')), running.get_token()));
    QVERIFY(batches >= 1 && batches < 20);
}

void JSONObjectStreamTest::passesTheConsumersErrorOn()
{
    JSONObjectStream stream([](const QList<QByteArray> &) { throw std::logic_error("staging failed"); });
    const std::stop_source running;
    stream.feed(arrayOf(99), running.get_token());
    QVERIFY_THROWS_EXCEPTION(std::logic_error, stream.finish());
}

QTEST_GUILESS_MAIN(JSONObjectStreamTest)
#include "tst_jsonobjectstream.moc"
