#include "App/BrowseModel.h"
#include "Support/UserSettings.h"
#include "support/CatalogueItems.h"
#include "support/StoreHarness.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(CatalogueKind)

namespace {

// In the user's order. Shown at all: everything but f (hidden); English a, g; French b, d, h;
// German c, e, i; one unknown tag j; Italian k.
QList<BrowseCategory> categories()
{
    return {
        category(u"a"_s, u"World NEWS"_s, u"en"_s, 3),
        category(u"b"_s, u"FR Cinéma"_s, u"fr"_s, 5),
        category(u"c"_s, u"DE Sport"_s, u"de"_s, 7),
        category(u"d"_s, u"FR Infos"_s, u"fr"_s, 11),
        category(u"e"_s, u"DE News"_s, u"de"_s, 13),
        category(u"f"_s, u"EN Kids"_s, u"en"_s, 17, true),
        category(u"g"_s, u"EN Sport"_s, u"en"_s, 19),
        category(u"h"_s, u"FR Kids"_s, u"fr"_s, 23),
        category(u"i"_s, u"DE Kids"_s, u"de"_s, 29),
        category(u"j"_s, u"ALB: Shqip"_s, u"x:ALB"_s, 31),
        category(u"k"_s, u"IT Calcio"_s, u"it"_s, 37),
    };
}

QStringList ids(const QList<BrowseCategory> &list)
{
    QStringList result;
    for (const BrowseCategory &item : list)
        result.append(item.providerID);
    return result;
}

QStringList languageKeys(const QList<BrowseModel::LanguageCount> &languages)
{
    QStringList result;
    for (const BrowseModel::LanguageCount &language : languages)
        result.append(language.key + u'=' + QString::number(language.count));
    return result;
}

} // namespace

class BrowseCategoriesTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_harness = std::make_unique<StoreHarness>();
        m_harness->start();
    }

    void cleanupTestCase() { m_harness.reset(); }

    void listsTheCategoriesTheColumnShows_data()
    {
        QTest::addColumn<QStringList>("hiddenLanguages");
        QTest::addColumn<QString>("languageFilter");
        QTest::addColumn<QString>("nameFilter");
        QTest::addColumn<bool>("grouped");
        QTest::addColumn<QStringList>("visible");

        const QStringList none;
        QTest::newRow("in the user's order") << none << QString() << QString() << false
                                             << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u"g"_s,
                                                            u"h"_s, u"i"_s, u"j"_s, u"k"_s};
        // English first, then by count; French before German on equal counts by name; the unknown
        // tag sorts by its own text (ALB before Italian).
        QTest::newRow("grouped by language") << none << QString() << QString() << true
                                             << QStringList{u"a"_s, u"g"_s, u"b"_s, u"d"_s, u"h"_s, u"c"_s,
                                                            u"e"_s, u"i"_s, u"j"_s, u"k"_s};
        QTest::newRow("a hidden language") << QStringList{u"de"_s} << QString() << QString() << false
                                           << QStringList{u"a"_s, u"b"_s, u"d"_s, u"g"_s, u"h"_s, u"j"_s, u"k"_s};
        QTest::newRow("grouped with a hidden language")
            << QStringList{u"fr"_s} << QString() << QString() << true
            << QStringList{u"a"_s, u"g"_s, u"c"_s, u"e"_s, u"i"_s, u"j"_s, u"k"_s};
        QTest::newRow("language filter") << none << u"de"_s << QString() << false
                                         << QStringList{u"c"_s, u"e"_s, u"i"_s};
        QTest::newRow("language filter is exact") << none << u"ALB"_s << QString() << false << QStringList();
        QTest::newRow("filter on a hidden language") << QStringList{u"de"_s} << u"de"_s << QString() << false
                                                     << QStringList();
        QTest::newRow("name filter ignores case and blanks") << none << QString() << u"  news \n"_s << false
                                                             << QStringList{u"a"_s, u"e"_s};
        QTest::newRow("name filter with accents") << none << QString() << u"CINÉ"_s << false
                                                  << QStringList{u"b"_s};
        QTest::newRow("both filters") << none << u"fr"_s << u"kids"_s << false << QStringList{u"h"_s};
        QTest::newRow("hidden categories never show") << none << u"en"_s << QString() << false
                                                      << QStringList{u"a"_s, u"g"_s};
    }

    void listsTheCategoriesTheColumnShows()
    {
        QFETCH(QStringList, hiddenLanguages);
        QFETCH(QString, languageFilter);
        QFETCH(QString, nameFilter);
        QFETCH(bool, grouped);
        QFETCH(QStringList, visible);
        UserSettings::setValue(u"quillmere.groupCategoriesByLanguage"_s, grouped);

        BrowseModel model(CatalogueKind::Live, m_harness->store());
        model.setCategories(categories());
        model.setHiddenLanguages(QSet<QString>(hiddenLanguages.begin(), hiddenLanguages.end()));
        model.setLanguageFilterText(languageFilter);
        model.setCategoryFilter(nameFilter);

        QCOMPARE(ids(model.visibleCategories()), visible);
    }

    void countsLanguagesAndItemsOfShownCategoriesOnly()
    {
        BrowseModel model(CatalogueKind::Live, m_harness->store());
        model.setCategories(categories());
        QCOMPARE(languageKeys(model.languages()),
                 (QStringList{u"en=2"_s, u"fr=3"_s, u"de=3"_s, u"x:ALB=1"_s, u"it=1"_s}));
        QCOMPARE(model.totalVisibleCount(), 3 + 5 + 7 + 11 + 13 + 19 + 23 + 29 + 31 + 37);

        // The filters narrow the column, not the language menu or the all-items count.
        model.setLanguageFilterText(u"fr"_s);
        model.setCategoryFilter(u"kids"_s);
        QCOMPARE(model.languages().size(), 5);
        QCOMPARE(model.totalVisibleCount(), 178);

        model.setHiddenLanguages({u"de"_s});
        QCOMPARE(languageKeys(model.languages()), (QStringList{u"en=2"_s, u"fr=3"_s, u"x:ALB=1"_s, u"it=1"_s}));
        QCOMPARE(model.totalVisibleCount(), 178 - 7 - 13 - 29);
        const QVariantList menu = model.property("languages").toList();
        QCOMPARE(menu.at(2).toMap().value(u"name"_s), QVariant(u"ALB"_s));
        QCOMPARE(menu.at(1).toMap().value(u"name"_s), QVariant(u"French"_s));
        // A category out of every list still has its name.
        QCOMPARE(model.categoryName(BrowseScope::category(u"c"_s)), u"DE Sport"_s);
        QCOMPARE(model.categoryName(BrowseScope::category(u"f"_s)), u"EN Kids"_s);
    }

    void namesEveryScope_data()
    {
        QTest::addColumn<CatalogueKind>("kind");
        QTest::addColumn<QString>("scope"); // as settings keep it
        QTest::addColumn<QString>("title");

        QTest::newRow("all channels") << CatalogueKind::Live << u"all"_s << u"All channels"_s;
        QTest::newRow("all films") << CatalogueKind::Movie << u"all"_s << u"All movies"_s;
        QTest::newRow("all series") << CatalogueKind::Series << u"all"_s << u"All series"_s;
        QTest::newRow("favourites") << CatalogueKind::Movie << u"fav"_s << u"Favourites"_s;
        QTest::newRow("a category") << CatalogueKind::Series << u"d"_s << u"FR Infos"_s;
        QTest::newRow("a lost channel category") << CatalogueKind::Live << u"zz"_s << u"Live TV"_s;
        QTest::newRow("a lost film category") << CatalogueKind::Movie << u"zz"_s << u"Movies"_s;
        QTest::newRow("a lost series category") << CatalogueKind::Series << u"zz"_s << u"Series"_s;
    }

    void namesEveryScope()
    {
        QFETCH(CatalogueKind, kind);
        QFETCH(QString, scope);
        QFETCH(QString, title);
        BrowseModel model(kind, m_harness->store());
        model.setCategories(categories());
        QCOMPARE(model.categoryTitle(scope), title);
    }

private:
    // Categories are set by hand here; the store only has to exist.
    std::unique_ptr<StoreHarness> m_harness;
};

QTEST_MAIN(BrowseCategoriesTest)
#include "tst_browsecategories.moc"
