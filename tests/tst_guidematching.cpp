#include "Provider/GuideMatching.h"

#include <QTest>

using namespace Qt::StringLiterals;

class GuideMatchingTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesTitles_data()
    {
        QTest::addColumn<QStringList>("channelIDs");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("match");

        QTest::newRow("case and punctuation only")
            << QStringList{u"News-One.HD"_s, u"other"_s} << u"news one (hd)"_s << u"News-One.HD"_s;
        QTest::newRow("country ending") << QStringList{u"newsone.uk"_s} << u"News One"_s << u"newsone.uk"_s;
        QTest::newRow("two guide channels fit: no answer")
            << QStringList{u"newsone.uk"_s, u"newsone.hd"_s} << u"News One"_s << QString();
        QTest::newRow("same compact form twice: no answer")
            << QStringList{u"NewsOne.uk"_s, u"newsone.uk"_s} << u"News One UK"_s << QString();
        QTest::newRow("a unique exact match wins over ambiguous endings")
            << QStringList{u"newsone"_s, u"newsone.hd"_s} << u"News One"_s << u"newsone"_s;
        QTest::newRow("channel number and quality ending")
            << QStringList{u"sportmax.uk"_s} << u"123 Sport Max FHD"_s << u"sportmax.uk"_s;
        QTest::newRow("country and quality endings of one guide id")
            << QStringList{u"SportMax FHD UK"_s} << u"Sport Max"_s << u"SportMax FHD UK"_s;
        QTest::newRow("no country ending after a quality ending")
            << QStringList{u"sportmax"_s} << u"Sport Max UK HD"_s << QString();
        QTest::newRow("four characters must stay") << QStringList{u"tvx"_s} << u"TVX UK"_s << QString();
        QTest::newRow("four characters stay") << QStringList{u"tvxy"_s} << u"TVXY UK"_s << u"tvxy"_s;
        QTest::newRow("digits glued to the name are kept")
            << QStringList{u"usa"_s, u"5usa.uk"_s} << u"5USA"_s << u"5usa.uk"_s;
        QTest::newRow("a number alone is the name") << QStringList{u"101"_s} << u"101"_s << u"101"_s;
        QTest::newRow("other scripts") << QStringList{u"КаналОдин"_s} << u"101 канал один"_s << u"КаналОдин"_s;
        QTest::newRow("accented letters stay")
            << QStringList{u"Télé Première.fr"_s, u"tele premiere.fr"_s} << u"Télé Première"_s << u"Télé Première.fr"_s;
        QTest::newRow("combining accents stay with their letter")
            << QStringList{u"Te\u0301le\u0301.fr"_s} << u"TE\u0301LE\u0301"_s << u"Te\u0301le\u0301.fr"_s;
        QTest::newRow("punctuation-only title finds the one such guide id")
            << QStringList{u"+++"_s, u"news"_s} << u"!!!"_s << u"+++"_s;
        QTest::newRow("number and blank only") << QStringList{u"news"_s} << u"7 "_s << QString();
        QTest::newRow("no guide") << QStringList{} << u"News"_s << QString();
    }

    void matchesTitles()
    {
        QFETCH(QStringList, channelIDs);
        QFETCH(QString, title);
        QFETCH(QString, match);

        const GuideMatching matching(channelIDs);
        QCOMPARE(matching.match(title).value_or(QString()), match);
    }
};

QTEST_GUILESS_MAIN(GuideMatchingTest)
#include "tst_guidematching.moc"
