#include "App/AppModel.h"
#include "App/MediaItemValue.h"
#include "Catalogue/CatalogueDatabase.h"
#include "Playback/PlaybackWindowController.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"
#include "Views/Kit/CategoryColumnModel.h"
#include "Views/Kit/ItemMenuModel.h"
#include "support/ArtworkFixture.h"
#include "support/AwaitBlocking.h"
#include "support/FakeMediaEngine.h"
#include "support/ModelChecks.h"
#include "support/PostedEvents.h"
#include "support/QmlHarness.h"
#include "support/StoreHarness.h"
#include "support/ToastTexts.h"

#include <QQuickItem>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

#include <memory>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

ContentItem entry(CatalogueKind kind, int number, const QString &categoryID, const QString &title)
{
    ContentItem item = catalogueEntry(kind, number, categoryID, title);
    item.genre = u"Drama, Crime"_s;
    return item;
}

// Live categories in three languages, two films, two series.
GeneratedCatalogue library()
{
    GeneratedCatalogue catalogue;
    catalogue.categories = {
        {CatalogueKind::Live, u"1"_s, u"UK: News"_s, 0},       {CatalogueKind::Live, u"2"_s, u"FR: Infos"_s, 0},
        {CatalogueKind::Live, u"3"_s, u"DE: Sport"_s, 0},      {CatalogueKind::Live, u"4"_s, u"UK: Sport"_s, 0},
        {CatalogueKind::Movie, u"10"_s, u"EN: Films"_s, 0},    {CatalogueKind::Series, u"20"_s, u"EN: Series"_s, 0},
    };
    const QList<std::tuple<int, QString, QString>> channels{{1, u"1"_s, u"BBC One"_s}, {2, u"1"_s, u"BBC Two"_s},
                                                            {3, u"2"_s, u"France 2"_s}, {4, u"3"_s, u"Sport1"_s},
                                                            {5, u"4"_s, u"Sky Sports"_s}};
    for (const auto &[number, category, title] : channels)
        catalogue.items.append(entry(CatalogueKind::Live, number, category, title));
    catalogue.items.append(entry(CatalogueKind::Movie, 101, u"10"_s, u"Night Harbour (1979)"_s));
    catalogue.items.append(entry(CatalogueKind::Movie, 102, u"10"_s, u"Lighthouse"_s));
    catalogue.items.append(entry(CatalogueKind::Series, 201, u"20"_s, u"Tides"_s));
    catalogue.items.append(entry(CatalogueKind::Series, 202, u"20"_s, u"Currents"_s));
    return catalogue;
}

} // namespace

// The item menu and the category column over a real store with an imported playlist, driven
// offscreen with the pointer and the keyboard.
class KitLibraryTest final : public QObject
{
    Q_OBJECT

private:
    void refuse(const QString &table)
    {
        CatalogueDatabase database(m_harness->databasePath());
        database.execute(u"CREATE TRIGGER refuse_%1 BEFORE INSERT ON %1 BEGIN SELECT RAISE(ABORT, 'disk refused'); END"_s.arg(table));
    }

    [[nodiscard]] MediaItem firstItem(BrowseModel &model) const
    {
        awaitBlocking(model.refreshIfNeeded());
        return model.items().first();
    }

    // A card that opens one item menu with the secondary button.
    QQuickItem *card(QmlHarness &harness, const MediaItem &item)
    {
        QQuickItem *root = harness.createFromQml(uR"qml(
            Item {
                id: root
                property var item
                property var toggled: []
                width: 300; height: 400
                QMCardButton {
                    objectName: "card"
                    contentItem: PosterCard { width: 120; item: root.item }
                    TapHandler {
                        acceptedButtons: Qt.RightButton
                        onTapped: point => menu.openFor(root.item, parent, point.position)
                    }
                }
                ItemMenu {
                    id: menu
                    objectName: "menu"
                    onFavouriteToggled: favourite => root.toggled = root.toggled.concat([favourite])
                    QMMenuItem { objectName: "extra"; text: "Remove from history" }
                }
            })qml"_s);
        root->setProperty("item", QVariant::fromValue(MediaItemValue(item)));
        root->findChild<QObject *>(u"menu"_s)->setProperty("app", QVariant::fromValue(m_app.get()));
        return root;
    }

    // Clicks `target` with `button` once `menu` has closed (a menu still closing would take the
    // click as one outside it), and answers the entry of that name once the menu is open.
    static QQuickItem *openedEntry(QmlHarness &harness, QObject *menu, QQuickItem *target, const QString &entry,
                                   Qt::MouseButton button = Qt::RightButton)
    {
        if (!QTest::qWaitFor([menu] { return !menu->property("visible").toBool(); }))
            return nullptr;
        harness.click(target, QPointF(40, 17), button);
        if (!QTest::qWaitFor([menu] { return menu->property("opened").toBool(); }))
            return nullptr;
        return QmlHarness::find(harness.window().contentItem(), entry);
    }

    QQuickItem *openMenu(QmlHarness &harness, QQuickItem *root, const QString &entry)
    {
        return openedEntry(harness, root->findChild<QObject *>(u"menu"_s), QmlHarness::find(root, u"card"_s), entry);
    }

    QQuickItem *column(QmlHarness &harness, BrowseModel &model)
    {
        QQuickItem *column = harness.create(u"CategoryColumn"_s, {{u"height"_s, 560}});
        checkModel(*column->findChild<CategoryColumnModel *>()->rows());
        column->setProperty("model", QVariant::fromValue(&model));
        column->setProperty("app", QVariant::fromValue(m_app.get()));
        return column;
    }

    std::unique_ptr<StoreHarness> m_harness;
    std::unique_ptr<PlaybackWindowController> m_playback;
    std::unique_ptr<AppModel> m_app;
    std::unique_ptr<ArtworkFixture> m_artwork;

private Q_SLOTS:
    void init()
    {
        m_harness = std::make_unique<StoreHarness>();
        m_harness->start();
        m_harness->provider().setCatalogue(library());
        const Playlist playlist = m_harness->addProviderPlaylist();
        QVERIFY(m_harness->waitUntilIdle(playlist.id));
        m_harness->store().selectPlaylist(playlist.id);
        m_playback = std::make_unique<PlaybackWindowController>([this](const QUrl &url, QObject *parent) {
            return new PlayerController(url, std::make_unique<FakeMediaEngine>(), m_harness->clock(), parent);
        });
        m_app = std::make_unique<AppModel>(m_harness->store(), *m_playback);
        m_artwork = std::make_unique<ArtworkFixture>();
    }

    void cleanup()
    {
        m_artwork.reset();
        m_app.reset();
        m_playback.reset();
        m_harness.reset();
    }

    void offersTheEntriesOfEachKind_data()
    {
        QTest::addColumn<CatalogueKind>("kind");
        QTest::addColumn<QString>("main");
        QTest::addColumn<QString>("symbol");
        QTest::addColumn<bool>("details");
        QTest::newRow("channel") << CatalogueKind::Live << u"Play"_s << u"play.fill"_s << false;
        QTest::newRow("film") << CatalogueKind::Movie << u"Play"_s << u"play.fill"_s << true;
        QTest::newRow("series") << CatalogueKind::Series << u"Open"_s << u"info.circle"_s << true;
    }

    void offersTheEntriesOfEachKind()
    {
        QFETCH(CatalogueKind, kind);
        QFETCH(QString, main);
        QFETCH(QString, symbol);
        QFETCH(bool, details);
        QCOMPARE(ItemMenuModel::mainEntry(kind), (ItemMenuModel::Entry{main, symbol}));
        QCOMPARE(ItemMenuModel::hasDetails(kind), details);
        QCOMPARE(ItemMenuModel::favouriteEntry(false), (ItemMenuModel::Entry{u"Add to favourites"_s, u"heart"_s}));
        QCOMPARE(ItemMenuModel::favouriteEntry(true),
                 (ItemMenuModel::Entry{u"Remove from favourites"_s, u"heart.slash"_s}));
    }

    void aChannelsMenuPlaysItAndTogglesItsFavourite()
    {
        QmlHarness harness({500, 500});
        const MediaItem channel = firstItem(*m_app->live());
        QQuickItem *root = card(harness, channel);
        QVERIFY(root);
        // The card reads the whole item the list hands it.
        QCOMPARE(QmlHarness::find(root, u"title"_s)->property("text").toString(), u"\u2068%1\u2069"_s.arg(channel.title));

        QQuickItem *favourite = openMenu(harness, root, u"favouriteEntry"_s);
        QVERIFY(favourite);
        QCOMPARE(QmlHarness::find(harness.window().contentItem(), u"mainEntry"_s)->property("text").toString(), u"Play"_s);
        QVERIFY(!QmlHarness::find(harness.window().contentItem(), u"detailsEntry"_s)->isVisible());
        QVERIFY(QmlHarness::find(harness.window().contentItem(), u"extra"_s)->isVisible());
        QCOMPARE(favourite->property("text").toString(), u"Add to favourites"_s);
        harness.click(favourite);
        QVERIFY(m_harness->store().isFavourite(CatalogueItem::from(channel), channel.kind, std::nullopt));

        favourite = openMenu(harness, root, u"favouriteEntry"_s);
        QCOMPARE(favourite->property("text").toString(), u"Remove from favourites"_s);
        harness.click(favourite);
        QCOMPARE(toastLines(*m_app), (QStringList{u"success: Added to favourites"_s, u"success: Removed from favourites"_s}));
        QCOMPARE(root->property("toggled").toList(), (QVariantList{true, false}));

        // The label follows the database, not the item's own flag.
        QCOMPARE(m_harness->store().toggleFavourite(channel), std::optional(true));
        QCOMPARE(openMenu(harness, root, u"favouriteEntry"_s)->property("text").toString(), u"Remove from favourites"_s);
        harness.click(QmlHarness::find(harness.window().contentItem(), u"mainEntry"_s));
        QTRY_VERIFY(m_playback->target().has_value());
        QCOMPARE(m_playback->target()->item->providerID, channel.providerID);
        QVERIFY(m_playback->target()->channels.isEmpty());
    }

    void aSeriesMenuOpensItsPage()
    {
        QmlHarness harness({500, 500});
        const MediaItem series = firstItem(*m_app->series());
        QQuickItem *root = card(harness, series);
        QQuickItem *main = openMenu(harness, root, u"mainEntry"_s);
        QCOMPARE(main->property("text").toString(), u"Open"_s);
        QVERIFY(QmlHarness::find(harness.window().contentItem(), u"detailsEntry"_s)->isVisible());
        harness.click(QmlHarness::find(harness.window().contentItem(), u"detailsEntry"_s));
        QCOMPARE(m_app->detail(), std::optional(series));
        m_app->setDetail(std::nullopt);
        harness.click(openMenu(harness, root, u"mainEntry"_s));
        QCOMPARE(m_app->detail(), std::optional(series));
    }

    void aFavouriteThatWasNotStoredIsNotAnnounced()
    {
        QmlHarness harness({500, 500});
        const MediaItem film = firstItem(*m_app->movies());
        QQuickItem *root = card(harness, film);
        QCOMPARE(QmlHarness::find(root, u"subtitle"_s)->property("text").toString(), u"Drama, Crime"_s);
        refuse(u"favourites"_s);
        harness.click(openMenu(harness, root, u"favouriteEntry"_s));
        QVERIFY(toastLines(*m_app).isEmpty());
        QVERIFY(root->property("toggled").toList().isEmpty());
        QVERIFY(m_harness->store().databaseError().has_value());
        QCOMPARE(openMenu(harness, root, u"favouriteEntry"_s)->property("text").toString(), u"Add to favourites"_s);
    }

    void wordsTheColumnsMessagesAndNotices()
    {
        QCOMPARE(CategoryColumnModel::emptyMessage(false, false, QString()), QString());
        QCOMPARE(CategoryColumnModel::emptyMessage(true, true, u"x"_s), QString());
        QCOMPARE(CategoryColumnModel::emptyMessage(true, false, QString()), u"All categories are hidden"_s);
        QCOMPARE(CategoryColumnModel::emptyMessage(true, false, u" "_s), u"No categories match"_s);
        QCOMPARE(CategoryColumnModel::hiddenCategoryNotice(u"UK: News"_s),
                 u"\u201CUK: News\u201D hidden. Show it again in Settings \u203A Categories."_s);
        QCOMPARE(CategoryColumnModel::hiddenLanguageNotice(u"fr"_s), u"French categories hidden"_s);
        QCOMPARE(CategoryColumnModel::hiddenLanguageNotice(u"x:ABC"_s), u"ABC categories hidden"_s);
        QCOMPARE(CategoryColumnModel::hideLanguageTitle(u"x:ABC"_s), u"Hide all ABC"_s);
        QCOMPARE(CategoryColumnModel::languageItemTitle(u"de"_s, 12), u"German  (12)"_s);
    }

    void movesACategoryToTheTop_data()
    {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("from the middle") << QStringList{u"a"_s, u"b"_s, u"c"_s} << u"b"_s
                                         << QStringList{u"b"_s, u"a"_s, u"c"_s};
        QTest::newRow("already first") << QStringList{u"a"_s, u"b"_s} << u"a"_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("listed twice") << QStringList{u"a"_s, u"b"_s, u"b"_s} << u"b"_s << QStringList{u"b"_s, u"a"_s};
    }

    void movesACategoryToTheTop()
    {
        QFETCH(QStringList, ids);
        QFETCH(QString, chosen);
        QFETCH(QStringList, order);
        QCOMPARE(CategoryColumnModel::movedToTop(ids, chosen), order);
    }

    void theColumnChoosesFiltersAndNarrows()
    {
        QmlHarness harness({360, 620});
        BrowseModel &live = *m_app->live();
        awaitBlocking(live.refreshIfNeeded());
        QQuickItem *categories = column(harness, live);
        QVERIFY(categories);
        QQuickItem *list = QmlHarness::find(categories, u"categoryList"_s);
        QTRY_COMPARE(list->property("count").toInt(), 4);
        QCOMPARE(QmlHarness::find(categories, u"allRow"_s)->property("count").toString(), u"5"_s);

        harness.click(QmlHarness::find(categories, u"category-3"_s));
        QCOMPARE(live.scope(), BrowseScope::category(u"3"_s));
        QVERIFY(QmlHarness::find(categories, u"category-3"_s)->property("selected").toBool());
        QQuickItem *favourites = QmlHarness::find(categories, u"favouritesRow"_s);
        QCOMPARE(favourites->property("symbol").toString(), u"heart"_s);
        harness.click(favourites);
        QCOMPARE(live.scope(), BrowseScope::favourites());
        QCOMPARE(favourites->property("symbol").toString(), u"heart.fill"_s);

        // Typing narrows the list; a filter that matches nothing says so.
        harness.click(QmlHarness::find(categories, u"filterField"_s));
        harness.type(u"sport"_s);
        QCOMPARE(live.categoryFilter(), u"sport"_s);
        QTRY_COMPARE(list->property("count").toInt(), 2);
        harness.type(u"zz"_s);
        QTRY_COMPARE(list->property("count").toInt(), 0);
        QCOMPARE(QmlHarness::find(categories, u"message"_s)->property("text").toString(), u"No categories match"_s);

        // The language menu narrows by language and sends the user to the settings to hide some.
        live.setCategoryFilter(QString());
        QObject *languages = categories->findChild<QObject *>(u"languageMenu"_s);
        QQuickItem *languageButton = QmlHarness::find(categories, u"languageButton"_s);
        QQuickItem *french = openedEntry(harness, languages, languageButton, u"language-fr"_s, Qt::LeftButton);
        QVERIFY(french);
        QCOMPARE(french->property("text").toString(), u"French  (1)"_s);
        harness.click(french);
        QTRY_COMPARE(live.languageFilter(), std::optional(u"fr"_s));
        QCOMPARE(QmlHarness::find(categories, u"languageTitle"_s)->property("text").toString(), u"French"_s);
        QTRY_COMPARE(list->property("count").toInt(), 1);
        QQuickItem *hideLanguages = openedEntry(harness, languages, languageButton, u"hideLanguages"_s, Qt::LeftButton);
        QVERIFY(hideLanguages);
        harness.click(hideLanguages);
        QCOMPARE(m_app->route(), Route::Settings);
        QCOMPARE(m_app->requestedSettingsSection(), u"Categories"_s);
    }

    void theColumnsMenuHidesAndReorders()
    {
        QmlHarness harness({360, 620});
        BrowseModel &live = *m_app->live();
        awaitBlocking(live.refreshIfNeeded());
        QQuickItem *categories = column(harness, live);
        QQuickItem *list = QmlHarness::find(categories, u"categoryList"_s);
        QTRY_COMPARE(list->property("count").toInt(), 4);
        QObject *menu = categories->findChild<QObject *>(u"categoryMenu"_s);
        const auto choose = [&](const QString &row, const QString &entry) {
            return openedEntry(harness, menu, QmlHarness::find(categories, row), entry);
        };

        QQuickItem *moveToTop = choose(u"category-3"_s, u"moveToTop"_s);
        QVERIFY(moveToTop);
        harness.click(moveToTop);
        QTRY_COMPARE(m_harness->rows(u"SELECT provider_id FROM category_preferences WHERE kind='live' ORDER BY position"_s),
                     (QStringList{u"3"_s, u"1"_s, u"2"_s, u"4"_s}));
        QVERIFY(toastLines(*m_app).isEmpty());

        QQuickItem *hideLanguage = choose(u"category-2"_s, u"hideLanguage"_s);
        QCOMPARE(hideLanguage->property("text").toString(), u"Hide all French"_s);
        harness.click(hideLanguage);
        QTRY_COMPARE(toastLines(*m_app), QStringList{u"info: French categories hidden"_s});

        harness.click(choose(u"category-1"_s, u"hideCategory"_s));
        QTRY_COMPARE(toastLines(*m_app).size(), 2);
        QCOMPARE(toastLines(*m_app).last(), u"info: \u201CUK: News\u201D hidden. Show it again in Settings \u203A Categories."_s);
        awaitBlocking(live.refreshIfNeeded());
        QTRY_COMPARE(list->property("count").toInt(), 2);
        QVERIFY(!QmlHarness::find(categories, u"category-1"_s));

        // The menu acts on the category it was opened for, also when the rows are read again under
        // it and another category takes its row.
        QQuickItem *hideSport = choose(u"category-3"_s, u"hideCategory"_s);
        QVERIFY(hideSport);
        live.setCategoryFilter(u"uk"_s);
        QTRY_COMPARE(list->property("count").toInt(), 1);
        harness.click(hideSport);
        QTRY_COMPARE(toastLines(*m_app).size(), 3);
        QCOMPARE(toastLines(*m_app).last(), u"info: “DE: Sport” hidden. Show it again in Settings › Categories."_s);
        live.setCategoryFilter(QString());

        // A write the store could not make brings no notice of its own: the store's sentence is it.
        refuse(u"category_hidden"_s);
        harness.click(choose(u"category-4"_s, u"hideCategory"_s));
        QTRY_VERIFY(m_harness->store().databaseError().has_value());
        handlePostedEvents();
        QCOMPARE(toastLines(*m_app).size(), 3);
    }
};

QTEST_MAIN(KitLibraryTest)
#include "tst_kitlibrary.moc"
