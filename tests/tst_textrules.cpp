#include "Catalogue/CategoryLanguage.h"
#include "Support/TitleText.h"

#include <QTest>

using namespace Qt::StringLiterals;

using OptionalText = std::optional<QString>;

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
    }

    void findsTheYearInATitle()
    {
        QFETCH(QString, title);
        QFETCH(OptionalText, year);
        QCOMPARE(TitleText::year(title), year);
    }
};

QTEST_GUILESS_MAIN(TextRulesTest)
#include "tst_textrules.moc"
