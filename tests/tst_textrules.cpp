#include "Catalogue/CategoryLanguage.h"
#include "Support/NumberText.h"
#include "Support/TimeText.h"
#include "Support/TitleText.h"
#include "Support/UserSettings.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

using OptionalText = std::optional<QString>;
using OptionalNumber = std::optional<double>;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();
const QString use24HourKey = QStringLiteral("quillmere.use24HourClock");

// A moment of a local day, at the given time.
QDateTime local(int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(2025, 3, day), QTime(hour, minute, second));
}

} // namespace

class TextRulesTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void detectsTheLanguageOfACategoryName_data()
    {
        QTest::addColumn<OptionalText>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<OptionalText>("label");

        const OptionalText none;
        // A tag before a separator.
        QTest::newRow("colon") << OptionalText(u"UK: Sports"_s) << u"en"_s << OptionalText(u"UK"_s);
        QTest::newRow("bars") << OptionalText(u"|AR| MBC"_s) << u"ar"_s << OptionalText(u"AR"_s);
        QTest::newRow("spaced hyphen") << OptionalText(u"FR - Cinéma"_s) << u"fr"_s << OptionalText(u"FR"_s);
        QTest::newRow("lower-case tag") << OptionalText(u"de: Sport"_s) << u"de"_s << OptionalText(u"DE"_s);
        QTest::newRow("bar without space") << OptionalText(u"DE| Sky"_s) << u"de"_s << OptionalText(u"DE"_s);
        QTest::newRow("spaced bar") << OptionalText(u"UK | Sports HD"_s) << u"en"_s << OptionalText(u"UK"_s);
        QTest::newRow("brackets") << OptionalText(u"[PT] Filmes"_s) << u"pt"_s << OptionalText(u"PT"_s);
        QTest::newRow("parentheses") << OptionalText(u"(TR) Ulusal"_s) << u"tr"_s << OptionalText(u"TR"_s);
        QTest::newRow("hash and stars") << OptionalText(u"#★* IT: Calcio"_s) << u"it"_s << OptionalText(u"IT"_s);
        QTest::newRow("full stops") << OptionalText(u"UK.: News"_s) << u"en"_s << OptionalText(u"UK"_s);
        QTest::newRow("multi-word tag") << OptionalText(u"United Kingdom: News"_s) << u"en"_s
                                        << OptionalText(u"UNITED KINGDOM"_s);
        QTest::newRow("accented tag") << OptionalText(u"Québec: Séries"_s) << u"fr"_s << OptionalText(u"QUÉBEC"_s);
        QTest::newRow("arabic after tag") << OptionalText(u"AR: قنوات رياضية"_s) << u"ar"_s << OptionalText(u"AR"_s);
        QTest::newRow("hebrew after tag") << OptionalText(u"IL | ערוצי ספורט"_s) << u"he"_s << OptionalText(u"IL"_s);
        QTest::newRow("ex-yu tag") << OptionalText(u"EX-YU: Filmovi"_s) << u"balkan"_s << OptionalText(u"EX-YU"_s);

        // A country written out at the start.
        QTest::newRow("word pair") << OptionalText(u"Sri Lanka Movies"_s) << u"southasia"_s
                                   << OptionalText(u"Sri Lanka"_s);
        QTest::newRow("first word") << OptionalText(u"Germany Sport"_s) << u"de"_s << OptionalText(u"Germany"_s);
        QTest::newRow("short first word") << OptionalText(u"Peru Live"_s) << u"latam"_s << OptionalText(u"Peru"_s);
        QTest::newRow("ex-yu without separator") << OptionalText(u"EX-YU Filmovi"_s) << u"balkan"_s
                                                 << OptionalText(u"Ex-Yu"_s);
        QTest::newRow("ex-yu lower case") << OptionalText(u"ex-yu filmovi"_s) << u"balkan"_s << OptionalText(u"Ex-Yu"_s);
        QTest::newRow("ex-yu alone") << OptionalText(u"Ex-Yu"_s) << u"balkan"_s << OptionalText(u"Ex-Yu"_s);

        // A tag that names no language, with a later word that may.
        QTest::newRow("generic tag") << OptionalText(u"VIP: Sky Sports"_s) << u"en"_s << none;
        QTest::newRow("generic tag, country after") << OptionalText(u"VIP: Germany"_s) << u"de"_s
                                                    << OptionalText(u"VIP"_s);
        QTest::newRow("generic tag, pair after") << OptionalText(u"PPV | South Africa"_s) << u"african"_s
                                                 << OptionalText(u"PPV"_s);
        QTest::newRow("unknown tag") << OptionalText(u"ZZ: Something"_s) << u"x:ZZ"_s << OptionalText(u"ZZ"_s);
        QTest::newRow("unknown accented tag") << OptionalText(u"ÇÖ: Kanal"_s) << u"x:ÇÖ"_s << OptionalText(u"ÇÖ"_s);
        QTest::newRow("mixed-case unknown tag") << OptionalText(u"Zz: Something"_s) << u"en"_s << none;
        QTest::newRow("long unknown tag") << OptionalText(u"ABCDE: Something"_s) << u"en"_s << none;

        // Nothing to go on.
        QTest::newRow("absent") << none << u"en"_s << none;
        QTest::newRow("empty") << OptionalText(u""_s) << u"en"_s << none;
        QTest::newRow("spaces") << OptionalText(u"   \n "_s) << u"en"_s << none;
        QTest::newRow("stars only") << OptionalText(u"★★★"_s) << u"en"_s << none;
        QTest::newRow("parenthesis cannot follow") << OptionalText(u"Sky Sports (UK)"_s) << u"en"_s << none;
        QTest::newRow("quality words") << OptionalText(u"VIP 4K"_s) << u"en"_s << none;
        QTest::newRow("digits first") << OptionalText(u"4K UHD"_s) << u"en"_s << none;
        QTest::newRow("flag emoji first") << OptionalText(u"🇬🇧 UK Sports"_s) << u"en"_s << none;
        QTest::newRow("emoji before a country") << OptionalText(u"🔥 France Cinéma"_s) << u"en"_s << none;
        QTest::newRow("arabic name") << OptionalText(u"قنوات عربية"_s) << u"en"_s << none;
        QTest::newRow("hebrew name") << OptionalText(u"ערוץ 2: חדשות"_s) << u"en"_s << none;
    }

    void detectsTheLanguageOfACategoryName()
    {
        QFETCH(OptionalText, name);
        QFETCH(QString, key);
        QFETCH(OptionalText, label);
        const CategoryLanguage::Detection detection = CategoryLanguage::detect(name);
        QCOMPARE(detection.key, key);
        QCOMPARE(detection.label, label);
    }

    void countsUserPerceivedCharacters()
    {
        // Letters outside the basic plane take two code units each; the tag still has three
        // characters and so is a country tag.
        const QString tag = u"𝐀𝐁𝐂"_s;
        QCOMPARE(CategoryLanguage::detect(QString(tag + u": Kanal"_s)),
                 (CategoryLanguage::Detection{u"x:"_s + tag, tag}));
        // A letter with a combining accent is no letter of a tag.
        QCOMPARE(CategoryLanguage::detect(u"E\u0301S: Canal"), (CategoryLanguage::Detection{u"en"_s, std::nullopt}));
    }

    void namesLanguageKeys_data()
    {
        QTest::addColumn<QString>("token");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("name");
        // Tokens of every shape: two letters, a written-out name, non-ASCII, the last key of the table.
        const QList<std::array<QString, 3>> rows = {
            {u"GB"_s, u"en"_s, u"English"_s}, {u"ESPAÑA"_s, u"es"_s, u"Spanish"_s},
            {u"TÜRKIYE"_s, u"tr"_s, u"Turkish"_s}, {u"SK"_s, u"cs"_s, u"Czech & Slovak"_s},
            {u"EXYU"_s, u"balkan"_s, u"Balkan"_s}, {u"KURDISTAN"_s, u"ku"_s, u"Kurdish"_s},
            {u"IS"_s, u"is"_s, u"Icelandic"_s}};
        for (const auto &[token, key, name] : rows)
            QTest::newRow(qPrintable(key)) << token << key << name;
    }

    void namesLanguageKeys()
    {
        QFETCH(QString, token);
        QFETCH(QString, key);
        QFETCH(QString, name);
        QCOMPARE(CategoryLanguage::detect(QString(token + u": Channels"_s)).key, key);
        QCOMPARE(CategoryLanguage::displayName(key), name);
    }

    void namesUnknownKeys()
    {
        QCOMPARE(CategoryLanguage::displayName(u"x:ZZ"_s), u"ZZ"_s);
        QCOMPARE(CategoryLanguage::displayName(u"klingon"_s), u"klingon"_s);
    }

    void findsTheYearInATitle_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<OptionalText>("year");
        QTest::newRow("at the end") << u"Heat (1995)"_s << OptionalText(u"1995"_s);
        QTest::newRow("anywhere") << u"(1999) The Matrix [4K]"_s << OptionalText(u"1999"_s);
        QTest::newRow("first wins") << u"Remake (2019) of (1954)"_s << OptionalText(u"2019"_s);
        QTest::newRow("after a false start") << u"Room (21) (2015)"_s << OptionalText(u"2015"_s);
        QTest::newRow("out of range") << u"Odyssey (2101)"_s << OptionalText();
        QTest::newRow("bare year") << u"Blade Runner 2049"_s << OptionalText();
        QTest::newRow("five digits") << u"Code (19999)"_s << OptionalText();
        QTest::newRow("empty") << QString() << OptionalText();
        QTest::newRow("before the range") << u"Old Reel (1899)"_s << OptionalText();
        QTest::newRow("two years") << u"X (2024) (1999)"_s << OptionalText(u"2024"_s);
    }

    void findsTheYearInATitle()
    {
        QFETCH(QString, title);
        QFETCH(OptionalText, year);
        QCOMPARE(TitleText::year(title), year);
    }

    void isolatesProviderTitles()
    {
        QCOMPARE(TitleText::isolated(u"قناة 1"_s), u"⁨قناة 1⁩"_s);
        QCOMPARE(TitleText::isolated(QString()), u"⁨⁩"_s);
    }

    void writesLengths_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing") << 0.0 << QString();
        QTest::newRow("negative") << -5.0 << QString();
        QTest::newRow("infinite") << infinity << QString();
        QTest::newRow("not a number") << notANumber << QString();
        QTest::newRow("half a minute reads one") << 30.0 << u"1m"_s;
        QTest::newRow("just under two minutes") << 119.9 << u"1m"_s;
        QTest::newRow("just under an hour") << 3599.0 << u"59m"_s;
        QTest::newRow("an hour") << 3600.0 << u"1h 0m"_s;
        QTest::newRow("an hour and a half") << 5400.0 << u"1h 30m"_s;
        QTest::newRow("absurd") << 1e300 << u"277777777h 46m"_s;
    }

    void writesLengths()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(TimeText::duration(seconds), text);
    }

    void writesTimeLeft_data()
    {
        QTest::addColumn<int>("secondsLeft");
        QTest::addColumn<QString>("text");
        QTest::newRow("already over") << -600 << u"Ending"_s;
        QTest::newRow("half a minute") << 30 << u"Ending"_s;
        QTest::newRow("a minute and a half") << 90 << u"1m left"_s;
        QTest::newRow("59 minutes") << 59 * 60 + 59 << u"59m left"_s;
        QTest::newRow("an hour and five minutes") << 65 * 60 << u"1h 5m left"_s;
        QTest::newRow("three hours") << 3 * 3600 << u"3h 0m left"_s;
    }

    void writesTimeLeft()
    {
        QFETCH(int, secondsLeft);
        QFETCH(QString, text);
        const QDateTime now = local(4, 21, 0);
        QCOMPARE(TimeText::remaining(now.addSecs(secondsLeft), now), text);
    }

    void writesTimecodes_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << 0.0 << u"0:00"_s;
        QTest::newRow("minutes and seconds") << 245.0 << u"4:05"_s;
        QTest::newRow("half a second rounds up") << 59.5 << u"1:00"_s;
        QTest::newRow("rounds down below a half") << 3599.4 << u"59:59"_s;
        QTest::newRow("an hour") << 3600.0 << u"1:00:00"_s;
        QTest::newRow("hours") << 3725.0 << u"1:02:05"_s;
        QTest::newRow("negative") << -1.0 << u"0:00"_s;
        QTest::newRow("not a number") << notANumber << u"0:00"_s;
        QTest::newRow("infinite") << infinity << u"0:00"_s;
    }

    void writesTimecodes()
    {
        QFETCH(double, seconds);
        QFETCH(QString, text);
        QCOMPARE(TimeText::timecode(seconds), text);
    }

    void writesAges_data()
    {
        QTest::addColumn<qint64>("secondsAgo");
        QTest::addColumn<QString>("text");
        QTest::newRow("in the future") << qint64(-86400) << u"just now"_s;
        QTest::newRow("59 seconds") << qint64(59) << u"just now"_s;
        QTest::newRow("a minute") << qint64(60) << u"1 min ago"_s;
        QTest::newRow("an hour") << qint64(3600) << u"1 h ago"_s;
        QTest::newRow("just under a day") << qint64(86399) << u"23 h ago"_s;
        QTest::newRow("a day") << qint64(86400) << u"1 d ago"_s;
        QTest::newRow("a month") << qint64(30 * 86400 + 5) << u"30 d ago"_s;
    }

    void writesAges()
    {
        QFETCH(qint64, secondsAgo);
        QFETCH(QString, text);
        const QDateTime now = local(4, 12, 0);
        QCOMPARE(TimeText::relative(now.addSecs(-secondsAgo), now), text);
    }

    void namesDays_data()
    {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QString>("text");
        QTest::newRow("later today") << local(4, 23, 59) << u"Today"_s;
        QTest::newRow("early today") << local(4, 0, 0) << u"Today"_s;
        QTest::newRow("tomorrow") << local(5, 6, 0) << u"Tomorrow"_s;
        QTest::newRow("yesterday") << local(3, 22, 0) << u"Yesterday"_s;
        QTest::newRow("another day") << local(7, 12, 0) << u"Fri 7 Mar"_s;
        QTest::newRow("in another zone") << local(5, 0, 30).toUTC() << u"Tomorrow"_s;
    }

    void namesDays()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QString, text);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        QCOMPARE(TimeText::day(moment, local(4, 15, 0)), text);
        QCOMPARE(TimeText::longDay(local(4, 15, 0)), u"Tuesday, 4 March"_s);
    }

    void writesClockTimesByTheUsersChoice_data()
    {
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("range");
        QTest::newRow("unset") << QVariant() << u"21:05"_s << u"09:00 – 22:30"_s;
        QTest::newRow("24 hours") << QVariant(true) << u"21:05"_s << u"09:00 – 22:30"_s;
        QTest::newRow("12 hours") << QVariant(false) << u"9:05 PM"_s << u"9:00 AM – 10:30 PM"_s;
        QTest::newRow("text is not a choice") << QVariant(u"false"_s) << u"21:05"_s << u"09:00 – 22:30"_s;
        QTest::newRow("a number is not a choice") << QVariant(0) << u"21:05"_s << u"09:00 – 22:30"_s;
    }

    void writesClockTimesByTheUsersChoice()
    {
        QFETCH(QVariant, setting);
        QFETCH(QString, time);
        QFETCH(QString, range);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        if (setting.isValid())
            UserSettings::setValue(use24HourKey, setting);
        else
            UserSettings::remove(use24HourKey);
        QCOMPARE(TimeText::time(local(4, 21, 5)), time);
        QCOMPARE(TimeText::range(local(4, 9, 0), local(4, 22, 30)), range);
        UserSettings::remove(use24HourKey);
    }

    void groupsCounts_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<qint64>("number");
        QTest::addColumn<QString>("text");
        const QLocale english(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("english") << english << qint64(12345) << u"12,345"_s;
        QTest::newRow("english, negative") << english << qint64(-1000) << u"-1,000"_s;
        QTest::newRow("small") << english << qint64(999) << u"999"_s;
        QTest::newRow("german") << QLocale(QLocale::German, QLocale::Germany) << qint64(12345) << u"12.345"_s;
        QTest::newRow("the C locale groups too") << QLocale::c() << qint64(1234567) << u"1,234,567"_s;
    }

    void groupsCounts()
    {
        QFETCH(QLocale, locale);
        QFETCH(qint64, number);
        QFETCH(QString, text);
        QCOMPARE(NumberText::grouped(number, locale), text);
    }

    void writesRatings_data()
    {
        QTest::addColumn<OptionalNumber>("rating");
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << OptionalNumber() << QString();
        QTest::newRow("zero hides") << OptionalNumber(0) << QString();
        QTest::newRow("negative hides") << OptionalNumber(-3) << QString();
        QTest::newRow("not a number hides") << OptionalNumber(notANumber) << QString();
        QTest::newRow("out of ten") << OptionalNumber(7.46) << u"7.5"_s;
        QTest::newRow("ten stays") << OptionalNumber(10) << u"10.0"_s;
        QTest::newRow("out of a hundred") << OptionalNumber(85) << u"8.5"_s;
        QTest::newRow("a hundred") << OptionalNumber(100) << u"10.0"_s;
        QTest::newRow("small") << OptionalNumber(0.04) << u"0.0"_s;
    }

    void writesRatings()
    {
        QFETCH(OptionalNumber, rating);
        QFETCH(QString, text);
        QCOMPARE(NumberText::rating(rating), text);
    }
};

QTEST_GUILESS_MAIN(TextRulesTest)
#include "tst_textrules.moc"
