#include "App/AppModel.h"
#include "App/BrowseModel.h"
#include "Store/CatalogueStore.h"
#include "Support/TimeText.h"
#include "Support/UserSettings.h"
#include "Views/Pages/Settings/CategorySettingsModel.h"
#include "Views/Pages/Settings/SettingKeys.h"
#include "support/AppHarness.h"
#include "support/ModelChecks.h"
#include "support/QmlHarness.h"

#include <QDir>
#include <QFile>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

// The text of the first item of that name under `root`.
QString textOf(QQuickItem *root, const QString &name)
{
    QQuickItem *item = QmlHarness::find(root, name);
    return item ? item->property("text").toString() : QString();
}

// The provider ids of the active playlist's live categories in their saved order.
QStringList savedOrder(StoreHarness &harness)
{
    return harness.rows(u"SELECT provider_id FROM category_preferences WHERE kind='live' ORDER BY position"_s);
}

// The names the category list shows, top to bottom.
QStringList rowNames(QQuickItem *page)
{
    auto *list = qobject_cast<QQuickItem *>(QmlHarness::find(page, u"categoryList"_s));
    QStringList names;
    const QList<QQuickItem *> rows = list->property("contentItem").value<QQuickItem *>()->childItems();
    QList<std::pair<qreal, QString>> placed;
    for (QQuickItem *row : rows) {
        if (row->property("name").isValid() && row->isVisible())
            placed.append({row->y(), row->property("name").toString().mid(1).chopped(1)});
    }
    std::sort(placed.begin(), placed.end());
    for (const auto &[y, name] : placed)
        names.append(name);
    return names;
}

// The settings key of the row that holds `control`.
QString keyOf(QQuickItem *control)
{
    for (QQuickItem *item = control; item; item = item->parentItem()) {
        if (item->property("key").isValid())
            return item->property("key").toString();
    }
    return QString();
}

// The program started over one playlist of the language catalogue (or another), once it is
// imported.
bool startOverLanguages(AppHarness &app, const GeneratedCatalogue &catalogue = languageCatalogue())
{
    StoreHarness &store = app.storeHarness();
    store.start();
    store.provider().setCatalogue(catalogue);
    const Playlist playlist = store.addProviderPlaylist(u"Home"_s);
    if (!store.waitUntilIdle(playlist.id))
        return false;
    app.start();
    return true;
}

} // namespace

// The settings page offscreen over a real store, driven with real clicks and keys: its sections,
// the refreshes, the confirmations of the privacy section and the category settings; and the
// readers of the settings that follow a change at once.
class SettingsViewTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppHarness>();
    }

    void cleanup()
    {
        m_app.reset();
    }

    void theSectionListSwitchesTheContent()
    {
        m_app->start();
        QmlHarness harness({1200, 820});
        QQuickItem *page = harness.createFromQml(u"SettingsPage { width: 1150; height: 770 }"_s);
        QVERIFY(page);
        QCOMPARE(textOf(page, u"sectionTitle"_s), u"General"_s);
        for (const QString &section : {u"Playback"_s, u"Live TV"_s, u"Updates"_s, u"Privacy & data"_s, u"About"_s}) {
            harness.click(QmlHarness::find(page, u"section-"_s + section));
            QTRY_COMPARE(textOf(page, u"sectionTitle"_s), section);
        }
        // Categories lays out and scrolls its own content, without the section title.
        harness.click(QmlHarness::find(page, u"section-Categories"_s));
        QTRY_VERIFY(QmlHarness::find(page, u"categoryList"_s));
        QVERIFY(!QmlHarness::find(page, u"sectionTitle"_s));
        // Without a playlist there is nothing but the sentence.
        QVERIFY(!QmlHarness::find(page, u"filter"_s)->isVisible());

        // A page built again starts at "General".
        page = harness.createFromQml(u"SettingsPage { width: 1150; height: 770 }"_s);
        QCOMPARE(textOf(page, u"sectionTitle"_s), u"General"_s);

        // Another view asks for a section (the category column's "Hide languages…"): the page
        // shows it, whether the request came before the page was built or after, and uses it up.
        AppModel &app = m_app->app();
        app.setRequestedSettingsSection(u"Categories"_s);
        QTRY_VERIFY(QmlHarness::find(page, u"categoryList"_s));
        QCOMPARE(app.requestedSettingsSection(), QString());
        harness.createFromQml(u"Item {}"_s);
        app.setRequestedSettingsSection(u"About"_s);
        page = harness.createFromQml(u"SettingsPage { width: 1150; height: 770 }"_s);
        QCOMPARE(textOf(page, u"sectionTitle"_s), u"About"_s);
        QCOMPARE(app.requestedSettingsSection(), QString());
        page = harness.createFromQml(u"SettingsPage { width: 1150; height: 770 }"_s);
        QCOMPARE(textOf(page, u"sectionTitle"_s), u"General"_s);
    }

    // Every switch and every menu of the sections writes its own key, with the key's type.
    void everyControlWritesItsKey()
    {
        m_app->start();
        QmlHarness harness({1200, 900});
        QQuickItem *page = harness.createFromQml(u"SettingsPage { width: 1150; height: 850 }"_s);
        QStringList written;
        for (const QString &section : {u"General"_s, u"Playback"_s, u"Live TV"_s, u"Updates"_s, u"Privacy & data"_s}) {
            harness.click(QmlHarness::find(page, u"section-"_s + section));
            QTRY_COMPARE(textOf(page, u"sectionTitle"_s), section);
            // The menus first: an interval menu is open only while its switch is on.
            for (QQuickItem *picker : QmlHarness::findAll(page, u"picker"_s)) {
                QVERIFY(picker->isEnabled());
                const QString key = keyOf(picker);
                const QVariantList options = picker->property("options").toList();
                const QVariant last = options.constLast().toMap().value(u"value"_s);
                harness.click(picker);
                QQuickItem *option = nullptr;
                QTRY_VERIFY((option = QmlHarness::find(harness.window().contentItem(), u"option-"_s + last.toString()))
                            && option->isVisible());
                harness.click(option);
                QTRY_COMPARE(UserSettings::value(key), last);
                QCOMPARE(UserSettings::value(key).typeId(), last.typeId());
                QCOMPARE(picker->property("selectionLabel"), options.constLast().toMap().value(u"label"_s));
                QObject *menu = picker->findChild<QObject *>(u"pickerMenu"_s);
                QTRY_VERIFY(!menu->property("visible").toBool());
                written.append(key);
            }
            for (QQuickItem *toggle : QmlHarness::findAll(page, u"toggle"_s)) {
                const QString key = keyOf(toggle);
                const bool before = toggle->property("checked").toBool();
                harness.click(toggle);
                QCOMPARE(UserSettings::value(key), QVariant(!before));
                written.append(key);
            }
        }
        QStringList table;
        for (const SettingKeys::Setting &setting : SettingKeys::all())
            table.append(setting.key);
        table.sort();
        written.sort();
        QCOMPARE(written, table);
    }

    void theRefreshesFollowTheActivePlaylist()
    {
        m_app->start();
        QmlHarness harness({1200, 820});
        QQuickItem *page = harness.createFromQml(u"SettingsPage { width: 1150; height: 770 }"_s);
        harness.click(QmlHarness::find(page, u"section-Updates"_s));
        QTRY_VERIFY(QmlHarness::find(page, u"refreshPlaylist"_s));
        // No playlist: only the automatic refreshes and the note.
        QVERIFY(!QmlHarness::find(page, u"refreshPlaylist"_s)->isVisible());

        StoreHarness &store = m_app->storeHarness();
        store.provider().setCatalogue(languageCatalogue());
        const Playlist playlist = store.addProviderPlaylist(u"Home"_s);
        QVERIFY(store.waitUntilIdle(playlist.id));
        QQuickItem *refresh = QmlHarness::find(page, u"refreshPlaylist"_s);
        QQuickItem *refreshGuide = QmlHarness::find(page, u"refreshGuide"_s);
        QTRY_VERIFY(refresh->isVisible());
        QVERIFY(refresh->isEnabled());

        // While the import runs, both buttons wait, the guide's too.
        FakeFault stall;
        stall.stallAfterBytes = 0;
        store.provider().setFault(u"get_live_categories"_s, stall);
        harness.click(refresh);
        QVERIFY(store.store().importingPlaylists().contains(playlist.id));
        QTRY_VERIFY(!refresh->isEnabled());
        QVERIFY(!refreshGuide->isEnabled());
        store.store().cancelRefresh(playlist.id);
        QVERIFY(store.waitUntilIdle(playlist.id));
        QTRY_VERIFY(refresh->isEnabled());

        // Off, the interval keeps its stored value and cannot be opened.
        UserSettings::setValue(u"catalogueRefreshHours"_s, 72);
        QQuickItem *page2 = page;
        QQuickItem *autoRow = nullptr;
        for (QQuickItem *toggle : QmlHarness::findAll(page2, u"toggle"_s)) {
            if (toggle->parentItem()->parentItem()->parentItem()->property("key") == u"autoRefreshPlaylist"_s)
                autoRow = toggle;
        }
        QVERIFY(autoRow);
        harness.click(autoRow);
        QCOMPARE(UserSettings::value(u"autoRefreshPlaylist"_s), QVariant(false));
        QQuickItem *interval = nullptr;
        for (QQuickItem *picker : QmlHarness::findAll(page2, u"picker"_s)) {
            if (picker->property("selectionLabel") == u"Every 3 days"_s)
                interval = picker;
        }
        QVERIFY(interval);
        QVERIFY(!interval->isEnabled());
        harness.click(autoRow);
        QVERIFY(interval->isEnabled());
        QCOMPARE(UserSettings::value(u"catalogueRefreshHours"_s), QVariant(72));
    }

    void clearingAsksFirstAndSaysSoAfterwards()
    {
        StoreHarness &store = m_app->storeHarness();
        const Playlist playlist = store.startWithImportedPlaylist({6, 4, 2});
        m_app->start();
        CatalogueStore &catalogue = store.store();
        catalogue.selectPlaylist(playlist.id);
        MediaItem channel;
        channel.kind = CatalogueKind::Live;
        channel.providerID = store.rows(u"SELECT provider_id FROM content_items WHERE kind='live' LIMIT 1"_s).constFirst();
        catalogue.recordLivePlay(channel);
        catalogue.toggleFavourite(channel);

        QmlHarness harness({1200, 820});
        QQuickItem *page = harness.createFromQml(u"SettingsPage { width: 1150; height: 770 }"_s);
        harness.click(QmlHarness::find(page, u"section-Privacy & data"_s));
        QQuickItem *clearHistory = nullptr;
        QTRY_VERIFY((clearHistory = QmlHarness::find(page, u"clearHistory"_s)));

        // Cancel forgets the question; the other row then asks its own.
        QObject *dialog = page->findChild<QObject *>(u"clearConfirmation"_s);
        QVERIFY(dialog);
        const auto opened = [dialog] { return dialog->property("opened").toBool(); };
        const auto closed = [dialog] { return !dialog->property("visible").toBool(); };
        QQuickItem *overlay = harness.window().contentItem();
        harness.click(clearHistory);
        QTRY_VERIFY(opened());
        QCOMPARE(textOf(overlay, u"dialogTitle"_s), u"Clear all watch history for this playlist?"_s);
        harness.click(QmlHarness::find(overlay, u"dialogCancel"_s));
        QTRY_VERIFY(closed());
        QCOMPARE(store.rows(u"SELECT COUNT(*) FROM watch_progress"_s), QStringList{u"1"_s});

        harness.click(QmlHarness::find(page, u"clearFavourites"_s));
        QTRY_VERIFY(opened());
        QCOMPARE(textOf(overlay, u"dialogTitle"_s), u"Clear all favourites for this playlist?"_s);
        harness.key(Qt::Key_Escape);
        QTRY_VERIFY(closed());
        QCOMPARE(store.rows(u"SELECT COUNT(*) FROM favourites"_s), QStringList{u"1"_s});

        harness.click(QmlHarness::find(page, u"clearFavourites"_s));
        QTRY_VERIFY(opened());
        harness.click(QmlHarness::find(overlay, u"dialogAction"_s));
        QTRY_COMPARE(store.rows(u"SELECT COUNT(*) FROM favourites"_s), QStringList{u"0"_s});
        QTRY_COMPARE(m_app->app().toasts().size(), 1);
        QCOMPARE(m_app->app().toasts().constFirst().text, u"Favourites cleared"_s);
        QCOMPARE(store.rows(u"SELECT COUNT(*) FROM watch_progress"_s), QStringList{u"1"_s});

        QTRY_VERIFY(closed());
        harness.click(clearHistory);
        QTRY_VERIFY(opened());
        harness.click(QmlHarness::find(overlay, u"dialogAction"_s));
        QTRY_COMPARE(store.rows(u"SELECT COUNT(*) FROM watch_progress"_s), QStringList{u"0"_s});
        QTRY_COMPARE(m_app->app().toasts().size(), 2);
        QCOMPARE(m_app->app().toasts().constLast().text, u"Watch history cleared"_s);

        // The artwork caches main() hands to the views: emptied on disk and in memory, then told.
        QFile picture(QDir(m_app->artwork().root()).filePath(u"0123.jpg"_s));
        QVERIFY(picture.open(QIODevice::WriteOnly) && picture.write("jpeg") == 4);
        picture.close();
        harness.click(QmlHarness::find(page, u"clearArtwork"_s));
        QTRY_COMPARE(m_app->app().toasts().size(), 3);
        QCOMPARE(m_app->app().toasts().constLast().text, u"Artwork cache cleared"_s);
        QVERIFY(!picture.exists());
    }

    void categoriesMoveHideFilterAndReset()
    {
        StoreHarness &store = m_app->storeHarness();
        QVERIFY(startOverLanguages(*m_app));

        QmlHarness harness({1200, 820});
        QQuickItem *page = harness.createFromQml(u"CategorySettings { width: 1000; height: 770 }"_s);
        QVERIFY(page);
        checkModel(*page->findChild<CategorySettingsModel *>()->rows());
        const QStringList providerOrder{u"UK: News"_s, u"FR: Cin\u00e9ma"_s, u"UK: Sports"_s, u"|AR| MBC"_s,
                                        u"FR: Sport"_s, u"ZZ: Mystery"_s};
        QTRY_COMPARE(rowNames(page), providerOrder);
        // Chips: most categories first, then by key; "x:" keys without their prefix.
        QStringList chips;
        for (const QString &key : {u"en"_s, u"fr"_s, u"ar"_s, u"x:ZZ"_s})
            chips.append(textOf(page, u"language-"_s + key));
        QCOMPARE(chips, (QStringList{u"English \u00b7 2"_s, u"French \u00b7 2"_s, u"Arabic \u00b7 1"_s, u"ZZ \u00b7 1"_s}));

        // "Move down" on the last row and "Move to top" on the first save the same order again.
        // The list reuses its rows: the one shown at a place is found by its place.
        auto buttonOfRow = [&](int row, const QString &name) {
            (void)harness.grab(); // lays the list out as drawn
            QList<QQuickItem *> buttons = QmlHarness::findAll(page, name);
            buttons.removeIf([](QQuickItem *button) { return !button->isVisible(); });
            std::sort(buttons.begin(), buttons.end(), [](QQuickItem *a, QQuickItem *b) {
                return a->mapToScene({0, 0}).y() < b->mapToScene({0, 0}).y();
            });
            return buttons.value(row);
        };
        harness.click(buttonOfRow(1, u"moveTop"_s));
        QTRY_COMPARE(rowNames(page).constFirst(), u"FR: Cin\u00e9ma"_s);
        QCOMPARE(savedOrder(store), (QStringList{u"5"_s, u"1"_s, u"8"_s, u"11"_s, u"13"_s, u"15"_s}));
        QSignalSpy orderSaves(&store.store(), &CatalogueStore::categoryOrderRevisionChanged);
        harness.click(buttonOfRow(5, u"moveDown"_s));
        QTRY_COMPARE(orderSaves.size(), 1);
        QCOMPARE(savedOrder(store), (QStringList{u"5"_s, u"1"_s, u"8"_s, u"11"_s, u"13"_s, u"15"_s}));
        QCOMPARE(rowNames(page).constLast(), u"ZZ: Mystery"_s);
        harness.click(buttonOfRow(0, u"moveUp"_s));
        QTRY_COMPARE(orderSaves.size(), 2);
        QCOMPARE(savedOrder(store), (QStringList{u"5"_s, u"1"_s, u"8"_s, u"11"_s, u"13"_s, u"15"_s}));
        QCOMPARE(rowNames(page).constFirst(), u"FR: Cin\u00e9ma"_s);

        // The filter ignores surrounding spaces and case, and turns the move buttons off.
        harness.click(QmlHarness::find(page, u"filter"_s));
        harness.type(u"  SPORT"_s);
        QVERIFY(QmlHarness::find(page, u"filter"_s)->property("fieldFocused").toBool());
        QTRY_COMPARE(QmlHarness::find(page, u"filter"_s)->property("text").toString(), u"  SPORT"_s);
        QTRY_COMPARE(rowNames(page), (QStringList{u"UK: Sports"_s, u"FR: Sport"_s}));
        QVERIFY(!buttonOfRow(0, u"moveUp"_s)->isEnabled());
        QVERIFY(buttonOfRow(0, u"hide"_s)->isEnabled());

        // Hide a category, then a language: only the French row carries the language's badge.
        harness.click(buttonOfRow(0, u"hide"_s));
        QTRY_COMPARE(buttonOfRow(0, u"hide"_s)->property("symbol").toString(), u"eye.slash"_s);
        harness.click(QmlHarness::find(page, u"language-fr"_s));
        QTRY_COMPARE(QmlHarness::find(page, u"language-fr"_s)->property("symbol").toString(), u"eye.slash"_s);
        QTRY_VERIFY(buttonOfRow(0, u"badge"_s));
        QCOMPARE(buttonOfRow(0, u"badge"_s)->property("text").toString(), u"FRENCH HIDDEN"_s);
        QVERIFY(buttonOfRow(0, u"badge"_s)->mapToScene({0, 0}).y() > buttonOfRow(0, u"hide"_s)->mapToScene({0, 0}).y());
        QCOMPARE(store.rows(u"SELECT key FROM hidden_languages"_s), QStringList{u"fr"_s});
        QCOMPARE(store.rows(u"SELECT provider_id FROM category_hidden"_s), QStringList{u"8"_s});

        // Reset: provider order, nothing hidden by its own flag, the language still hidden.
        QQuickItem *filter = QmlHarness::find(page, u"filter"_s);
        harness.click(QmlHarness::find(filter, u"clearButton"_s));
        harness.click(QmlHarness::find(page, u"reset"_s));
        QTRY_COMPARE(rowNames(page), providerOrder);
        QVERIFY(savedOrder(store).isEmpty());
        QVERIFY(store.rows(u"SELECT * FROM category_hidden"_s).isEmpty());
        QCOMPARE(store.rows(u"SELECT key FROM hidden_languages"_s), QStringList{u"fr"_s});

        // Another kind lists its own categories and languages; the filter text stays.
        harness.click(QmlHarness::find(page, u"kind-movie"_s));
        QTRY_COMPARE(rowNames(page), (QStringList{u"NL: Films"_s, u"EN: Action"_s}));
        QVERIFY(!QmlHarness::find(page, u"language-fr"_s) || !QmlHarness::find(page, u"language-fr"_s)->isVisible());
    }

    void aLongCategoryNameGivesWayToTheRowsButtons()
    {
        GeneratedCatalogue catalogue = languageCatalogue();
        const QString longName =
            u"UK: News <b>live</b> \u65B0\u95FB\u9891\u9053 \U0001F4FA from every corner of the world, all day and all night long"_s;
        catalogue.categories.first().name = longName;
        QVERIFY(startOverLanguages(*m_app, catalogue));

        // As wide as the settings content beside the section list in the smallest window.
        QmlHarness harness({620, 700});
        QQuickItem *page = harness.createFromQml(u"CategorySettings { width: 560; height: 650 }"_s);
        QVERIFY(page);
        const auto nameText = [page, &longName]() -> QQuickItem * {
            for (QQuickItem *text : QmlHarness::findAll(page, u"name"_s)) {
                if (text->property("text").toString().contains(longName))
                    return text;
            }
            return nullptr;
        };
        QQuickItem *name = nullptr;
        QTRY_VERIFY((name = nameText()));
        QQuickItem *row = name->parentItem()->parentItem();
        QQuickItem *hide = QmlHarness::find(row, u"hide"_s);
        QVERIFY(hide);
        QVERIFY(name->property("truncated").toBool());
        QVERIFY(hide->mapToItem(row, QPointF(hide->width(), 0)).x() <= row->width());
    }

    void readersFollowASettingAtOnce()
    {
        QVERIFY(startOverLanguages(*m_app));
        BrowseModel &live = *m_app->app().live();
        awaitBlockingRefresh(live);
        const auto firstLanguages = [&live] {
            QStringList languages;
            for (const BrowseCategory &category : live.visibleCategories())
                languages.append(category.language);
            return languages;
        };
        QCOMPARE(firstLanguages(), (QStringList{u"en"_s, u"fr"_s, u"en"_s, u"ar"_s, u"fr"_s, u"x:ZZ"_s}));
        QSignalSpy regrouped(&live, &BrowseModel::categoryViewsChanged);

        QmlHarness harness({900, 600});
        QQuickItem *section = harness.createFromQml(u"LiveSettings { width: 780 }"_s);
        QQuickItem *grouping = QmlHarness::findAll(section, u"toggle"_s).constLast();
        harness.click(grouping);
        QCOMPARE(regrouped.size(), 1);
        QCOMPARE(firstLanguages(), (QStringList{u"en"_s, u"en"_s, u"fr"_s, u"fr"_s, u"ar"_s, u"x:ZZ"_s}));

        section = harness.createFromQml(u"GeneralSettings { width: 780 }"_s);
        const QDateTime evening(QDate(2025, 3, 4), QTime(21, 5));
        QCOMPARE(TimeText::time(evening), u"21:05"_s);
        harness.click(QmlHarness::findAll(section, u"toggle"_s).constFirst());
        QCOMPARE(TimeText::time(evening), u"9:05 PM"_s);
    }

private:
    static void awaitBlockingRefresh(BrowseModel &model)
    {
        bool done = false;
        [](BrowseModel &model, bool &done) -> QCoro::Task<void> {
            co_await model.refreshIfNeeded();
            done = true;
        }(model, done);
        QTRY_VERIFY(done);
    }

    std::unique_ptr<AppHarness> m_app;
};

QTEST_MAIN(SettingsViewTest)
#include "tst_settingsview.moc"
