#include "App/AppModel.h"
#include "App/EpisodeText.h"
#include "Stores/CatalogueStore.h"
#include "Support/UserSettings.h"
#include "support/StoreHarness.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(Route)

namespace {

MediaItem film(const QString &providerID)
{
    MediaItem item;
    item.kind = CatalogueKind::Movie;
    item.providerID = providerID;
    item.title = u"Film "_s + providerID;
    return item;
}

QStringList toastTexts(const AppModel &model)
{
    QStringList texts;
    for (const ToastMessage &message : model.toasts())
        texts.append(message.text);
    return texts;
}

void storeOrRemove(const QString &key, const QVariant &value)
{
    if (value.isValid())
        UserSettings::setValue(key, value);
    else
        UserSettings::remove(key);
}

} // namespace

class AppModelTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_harness = std::make_unique<StoreHarness>();
        m_harness->start();
    }

    void cleanup() { m_harness.reset(); }

    void opensTheChosenStartPage_data()
    {
        QTest::addColumn<QVariant>("startPage");
        QTest::addColumn<QVariant>("lastPage");
        QTest::addColumn<Route>("expected");

        const QVariant missing;
        QTest::newRow("nothing saved") << missing << missing << Route::Home;
        QTest::newRow("a page") << QVariant(u"movies"_s) << QVariant(u"guide"_s) << Route::Movies;
        QTest::newRow("last page") << QVariant(u"last"_s) << QVariant(u"guide"_s) << Route::Guide;
        QTest::newRow("last without a last page") << QVariant(u"last"_s) << missing << Route::Home;
        QTest::newRow("last page was search") << QVariant(u"last"_s) << QVariant(u"search"_s) << Route::Home;
        QTest::newRow("search") << QVariant(u"search"_s) << missing << Route::Home;
        QTest::newRow("wrong case") << QVariant(u"Guide"_s) << missing << Route::Home;
        QTest::newRow("no such page") << QVariant(u"library"_s) << missing << Route::Home;
        QTest::newRow("not a text") << QVariant(3) << missing << Route::Home;
    }

    void opensTheChosenStartPage()
    {
        QFETCH(QVariant, startPage);
        QFETCH(QVariant, lastPage);
        QFETCH(Route, expected);
        storeOrRemove(u"quillmere.startPage"_s, startPage);
        storeOrRemove(u"quillmere.lastPage"_s, lastPage);

        const AppModel model(m_harness->store());

        QCOMPARE(model.route(), expected);
        // Every start rewrites the last page with the launch page, home included.
        QCOMPARE(UserSettings::value(u"quillmere.lastPage"_s), QVariant(routeText(expected)));
    }

    void writingTheRouteRemembersThePageAndClosesTheDetail()
    {
        AppModel model(m_harness->store());
        QSignalSpy routeChanges(&model, &AppModel::routeChanged);
        model.setRoute(Route::Movies);
        model.setDetail(film(u"7"_s));

        // The same page again: nobody is told, the detail stays, the last page is written anyway.
        UserSettings::setValue(u"quillmere.lastPage"_s, u"settings"_s);
        model.setRoute(Route::Movies);
        QCOMPARE(routeChanges.size(), 1);
        QCOMPARE(model.detail(), std::optional(film(u"7"_s)));
        QCOMPARE(UserSettings::value(u"quillmere.lastPage"_s), QVariant(u"movies"_s));

        // Search is never remembered, but leaving the page still closes the detail.
        model.setRoute(Route::Search);
        QCOMPARE(model.route(), Route::Search);
        QCOMPARE(model.detail(), std::nullopt);
        QCOMPARE(UserSettings::value(u"quillmere.lastPage"_s), QVariant(u"movies"_s));

        model.setRouteName(u"series"_s);
        QCOMPARE(model.route(), Route::Series);
        model.setRouteName(u"nowhere"_s);
        QCOMPARE(model.route(), Route::Series);
        QCOMPARE(model.routeName(), u"series"_s);
        QCOMPARE(routeChanges.size(), 3);
    }

    void everySidebarWriteIsSaved()
    {
        UserSettings::setValue(u"quillmere.sidebarCollapsed"_s, true);
        AppModel model(m_harness->store());
        QVERIFY(model.isSidebarCollapsed());
        QSignalSpy changes(&model, &AppModel::sidebarCollapsedChanged);

        UserSettings::remove(u"quillmere.sidebarCollapsed"_s);
        model.setSidebarCollapsed(true);
        QCOMPARE(changes.size(), 0);
        QCOMPARE(UserSettings::value(u"quillmere.sidebarCollapsed"_s), QVariant(true));
        model.setSidebarCollapsed(false);
        QCOMPARE(changes.size(), 1);
        QCOMPARE(UserSettings::value(u"quillmere.sidebarCollapsed"_s), QVariant(false));
    }

    void toastsStayTheirTimeAndGoOneByOne()
    {
        AppModel model(m_harness->store());
        VirtualClock &clock = m_harness->clock();

        model.toast(u"Saved"_s, ToastKind::Success);
        model.toast(u"The catalogue could not be opened."_s, ToastKind::Error);
        clock.advance(1000ms);
        model.toast(u"Saved"_s, ToastKind::Success);
        QCOMPARE(toastTexts(model), (QStringList{u"Saved"_s, u"The catalogue could not be opened."_s, u"Saved"_s}));
        QVERIFY(model.toasts().at(0).id != model.toasts().at(2).id);

        clock.advance(2199ms);
        QCOMPARE(model.toasts().size(), 3);
        clock.advance(1ms); // 3.2 s: only the first of the two equal notices goes
        QCOMPARE(toastTexts(model), (QStringList{u"The catalogue could not be opened."_s, u"Saved"_s}));
        clock.advance(1000ms);
        QCOMPARE(toastTexts(model), QStringList{u"The catalogue could not be opened."_s});
        clock.advance(1799ms);
        QCOMPARE(model.toasts().size(), 1);
        clock.advance(1ms); // 6 s for an error
        QVERIFY(model.toasts().isEmpty());

        model.toast(u"Added to favourites"_s, ToastKind::Info);
        const QVariantList shown = model.property("toasts").toList();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.constFirst().toMap().value(u"kind"_s), QVariant(u"info"_s));
        QCOMPARE(shown.constFirst().toMap().value(u"text"_s), QVariant(u"Added to favourites"_s));
    }

    void labelsAnEpisode_data()
    {
        QTest::addColumn<int>("season");
        QTest::addColumn<int>("episode");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("label");

        const QString open = u"\u2068"_s;
        const QString close = u"\u2069"_s;
        QTest::newRow("season, episode and title") << 1 << 2 << u"Pilot"_s << u"S1 \u00B7 E2  "_s + open + u"Pilot"_s + close;
        QTest::newRow("title only, trimmed") << 0 << 0 << u"  The Return \n"_s << open + u"The Return"_s + close;
        QTest::newRow("title that says Episode") << 2 << 0 << u"Episode 4"_s << u"S2"_s;
        QTest::newRow("title that says episode") << 0 << 7 << u"episode seven"_s << u"E7"_s;
        QTest::newRow("upper-case code in the title") << 1 << 2 << u"S01E02 Pilot"_s << u"S1 \u00B7 E2"_s;
        QTest::newRow("spaced code in the title") << 1 << 2 << u"S01 E02"_s << u"S1 \u00B7 E2"_s;
        QTest::newRow("lower-case code in the title") << 1 << 2 << u"s01e02 Pilot"_s
                                                      << u"S1 \u00B7 E2  "_s + open + u"s01e02 Pilot"_s + close;
        QTest::newRow("code later in the title") << 0 << 0 << u"Pilot S01E02"_s << open + u"Pilot S01E02"_s + close;
        QTest::newRow("season only") << 3 << 0 << QString() << u"S3"_s;
        QTest::newRow("nothing") << 0 << 0 << u"   "_s << QString();
        QTest::newRow("right-to-left title") << 1 << 1 << u"\u05D4\u05D4\u05EA\u05D7\u05DC\u05D4"_s
                                             << u"S1 \u00B7 E1  "_s + open + u"\u05D4\u05D4\u05EA\u05D7\u05DC\u05D4"_s + close;
    }

    void labelsAnEpisode()
    {
        QFETCH(int, season);
        QFETCH(int, episode);
        QFETCH(QString, title);
        QFETCH(QString, label);
        MacSeriesEpisode item;
        item.seasonNumber = season;
        item.episodeNumber = episode;
        item.title = title;
        QCOMPARE(EpisodeText::label(item), label);
    }

private:
    std::unique_ptr<StoreHarness> m_harness;
};

QTEST_MAIN(AppModelTest)
#include "tst_appmodel.moc"
