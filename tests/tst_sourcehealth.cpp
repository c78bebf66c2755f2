#include "Catalogue/SourceHealth.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QDateTime utc(int year, int month, int day, int hour, int minute, int second, int ms = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second, ms), Qt::UTC);
}

QJsonObject objectOf(const QByteArray &json)
{
    return QJsonDocument::fromJson(json).object();
}

} // namespace

class SourceHealthTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyFieldRoundTrips()
    {
        SourceHealth health;
        health.catalogueAttempt = utc(2024, 5, 1, 10, 0, 0, 250);
        health.lastCatalogueSuccess = utc(2024, 5, 1, 10, 0, 30);
        health.catalogueError = u"The provider did not answer."_s;
        health.guideAttempt = utc(2024, 5, 1, 11, 0, 0);
        health.lastGuideSuccess = utc(2024, 4, 30, 11, 0, 0);
        health.guideError = u"The previous guide refresh was interrupted. Refresh EPG to try again."_s;
        health.guideProgrammeCount = 512'345;
        health.guideInProgress = false;
        health.connectionChecked = utc(1999, 12, 31, 23, 59, 59);
        health.connectionError = u"Wrong login."_s;

        const QByteArray json = health.encoded();
        QCOMPARE(objectOf(json).keys().size(), 10);
        QCOMPARE(SourceHealth::decoded(json), health);
    }

    void datesAreSecondsSince2001AndAbsentFieldsAreLeftOut()
    {
        SourceHealth health;
        health.connectionChecked = utc(2001, 1, 1, 0, 1, 0);
        QCOMPARE(health.encoded(), QByteArray(R"({"connectionChecked":60})"));

        SourceHealth running;
        running.guideInProgress = true;
        QCOMPARE(running.encoded(), QByteArray(R"({"guideInProgress":true})"));

        QCOMPARE(SourceHealth().encoded(), QByteArray("{}"));
        QCOMPARE(SourceHealth::decoded("{}"), SourceHealth());
    }

    void unknownKeysAndNullsAreIgnored()
    {
        const auto health = SourceHealth::decoded(R"({"foo":[1,2],"guideError":null,"guideProgrammeCount":7})");
        QVERIFY(health);
        SourceHealth expected;
        expected.guideProgrammeCount = 7;
        QCOMPARE(*health, expected);
    }

    void aWrongTypeFailsTheWholeRecord_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("date as text") << QByteArray(R"({"guideInProgress":true,"catalogueAttempt":"2024-05-01"})");
        QTest::newRow("sentence as number") << QByteArray(R"({"catalogueError":404})");
        QTest::newRow("flag as number") << QByteArray(R"({"guideInProgress":1})");
        QTest::newRow("fractional count") << QByteArray(R"({"guideProgrammeCount":2.5})");
        QTest::newRow("count beyond 64 bits") << QByteArray(R"({"guideProgrammeCount":1e300})");
        QTest::newRow("date beyond any calendar") << QByteArray(R"({"guideAttempt":1e300})");
        QTest::newRow("date far before 2001") << QByteArray(R"({"lastGuideSuccess":-1e300})");
        QTest::newRow("not an object") << QByteArray("[]");
        QTest::newRow("not JSON") << QByteArray("{guideInProgress");
    }

    void aWrongTypeFailsTheWholeRecord()
    {
        QFETCH(QByteArray, json);
        QCOMPARE(SourceHealth::decoded(json), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(SourceHealthTest)
#include "tst_sourcehealth.moc"
