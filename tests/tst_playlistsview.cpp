#include "App/AppModel.h"
#include "Store/CatalogueStore.h"
#include "support/AppHarness.h"
#include "support/QmlHarness.h"
#include "support/ToastTexts.h"

#include <QQuickItem>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

// The card of the playlist named `name`.
QQuickItem *card(QQuickItem *page, const QString &name)
{
    for (QQuickItem *title : QmlHarness::findAll(page, u"name"_s)) {
        if (title->property("text").toString() == name) {
            QQuickItem *item = title;
            while (item && !item->property("playlistID").isValid())
                item = item->parentItem();
            return item;
        }
    }
    return nullptr;
}

} // namespace

// The playlists and welcome pages offscreen over a real store and the local provider, driven
// with real clicks and keys: the cards and their actions, the remove confirmation, and the
// playlist editor sheet.
class PlaylistsViewTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_app = std::make_unique<AppHarness>();
        m_app->storeHarness().startWithImportedPlaylist({6, 4, 2});
        m_app->start();
    }

    void cleanup()
    {
        m_app.reset();
    }

    void cardsActOnTheirPlaylists()
    {
        StoreHarness &store = m_app->storeHarness();
        const Playlist second = store.addProviderPlaylist(u"Second"_s);
        QVERIFY(store.waitUntilIdle(second.id));
        QmlHarness harness({1240, 900});
        QQuickItem *page = harness.createFromQml(u"PlaylistsPage { width: 1190; height: 850 }"_s);
        QVERIFY(page);
        QQuickItem *first = card(page, u"Provider"_s);
        QQuickItem *other = card(page, u"Second"_s);
        QVERIFY(first && other);
        QVERIFY(QmlHarness::find(first, u"activeBadge"_s)->isVisible());
        QVERIFY(!QmlHarness::find(first, u"use"_s)->isVisible());
        QVERIFY(!QmlHarness::find(other, u"activeBadge"_s)->isVisible());

        harness.click(QmlHarness::find(other, u"use"_s));
        QCOMPARE(m_app->app().store()->activePlaylistID(), second.id);
        QCOMPARE(toastTexts(m_app->app()), QStringList{u"Switched to Second"_s});
        QTRY_VERIFY(QmlHarness::find(card(page, u"Second"_s), u"activeBadge"_s)->isVisible());

        // The menu's "Test connection" fills the connection column.
        other = card(page, u"Second"_s);
        harness.click(QmlHarness::find(other, u"menuButton"_s));
        QQuickItem *test = nullptr;
        QTRY_VERIFY((test = QmlHarness::find(harness.window().contentItem(), u"testConnection"_s)) && test->isVisible());
        harness.click(test);
        QTRY_VERIFY(m_app->app().store()->health().value(second.id).connectionChecked.has_value());
        QTRY_VERIFY(QmlHarness::findAll(card(page, u"Second"_s), u"note"_s).constLast()->property("text")
                    == u"Login accepted"_s);

        // While a refresh runs: the panel with Cancel, and no refresh buttons or menu.
        FakeFault stall;
        stall.stallAfterBytes = 0;
        store.provider().setFault(u"get_live_categories"_s, stall);
        harness.click(QmlHarness::find(card(page, u"Second"_s), u"refresh"_s));
        QQuickItem *panel = nullptr;
        QTRY_VERIFY((panel = QmlHarness::find(card(page, u"Second"_s), u"refreshPanel"_s)) && panel->isVisible());
        QVERIFY(!QmlHarness::find(card(page, u"Second"_s), u"refresh"_s)->isEnabled());
        QVERIFY(!QmlHarness::find(card(page, u"Second"_s), u"refreshGuide"_s)->isEnabled());
        QVERIFY(!QmlHarness::find(card(page, u"Second"_s), u"menuButton"_s)->isEnabled());
        QTRY_COMPARE(QmlHarness::find(panel, u"percent"_s)->property("text").toString().endsWith(u'%'), true);
        harness.click(QmlHarness::find(panel, u"cancel"_s));
        QVERIFY(store.waitUntilIdle(second.id));
        QTRY_VERIFY(!QmlHarness::find(card(page, u"Second"_s), u"refreshPanel"_s)->isVisible());
        QCOMPARE(store.listed(second.id)->syncState, u"interrupted"_s);
    }

    void removalAsksFirst()
    {
        QmlHarness harness({1240, 900});
        QQuickItem *page = harness.createFromQml(u"PlaylistsPage { width: 1190; height: 850 }"_s);
        QObject *dialog = page->findChild<QObject *>(u"removeConfirmation"_s);
        QQuickItem *overlay = harness.window().contentItem();
        const auto openMenuItem = [&](const QString &name) {
            harness.click(QmlHarness::find(card(page, u"Provider"_s), u"menuButton"_s));
            QQuickItem *item = nullptr;
            QVERIFY(QTest::qWaitFor([&] { return (item = QmlHarness::find(overlay, name)) && item->isVisible(); }));
            harness.click(item);
        };

        openMenuItem(u"remove"_s);
        QTRY_VERIFY(dialog->property("opened").toBool());
        QCOMPARE(QmlHarness::find(overlay, u"dialogTitle"_s)->property("text").toString(), u"Remove \u201cProvider\u201d?"_s);
        QCOMPARE(QmlHarness::find(overlay, u"dialogMessage"_s)->property("text").toString(),
                 u"Its channels, films, guide, favourites and history are deleted from this computer. The login is "
                 u"removed from your keyring."_s);
        harness.key(Qt::Key_Escape);
        QTRY_VERIFY(!dialog->property("visible").toBool());
        QCOMPARE(m_app->app().store()->playlists().size(), 1);

        openMenuItem(u"remove"_s);
        QTRY_VERIFY(dialog->property("opened").toBool());
        harness.click(QmlHarness::find(overlay, u"dialogAction"_s));
        QTRY_VERIFY(m_app->app().store()->playlists().isEmpty());
        QTRY_COMPARE(toastTexts(m_app->app()), QStringList{u"Provider removed"_s});
        QTRY_VERIFY(!card(page, u"Provider"_s));
        QVERIFY(m_app->storeHarness().rows(u"SELECT * FROM playlists"_s).isEmpty());
    }

    void theEditorOpensFilledForALoginAndClosesWithEsc()
    {
        QmlHarness harness({1240, 900});
        QQuickItem *page = harness.createFromQml(u"PlaylistsPage { width: 1190; height: 850 }"_s);
        QQuickItem *overlay = harness.window().contentItem();
        harness.click(QmlHarness::find(card(page, u"Provider"_s), u"menuButton"_s));
        QQuickItem *edit = nullptr;
        QTRY_VERIFY((edit = QmlHarness::find(overlay, u"editLogin"_s)) && edit->isVisible());
        harness.click(edit);

        QQuickItem *title = nullptr;
        QTRY_VERIFY((title = QmlHarness::find(overlay, u"title"_s)) && title->isVisible());
        QCOMPARE(title->property("text").toString(), u"Edit login"_s);
        QQuickItem *password = QmlHarness::find(overlay, u"passwordField"_s);
        const XtreamCredentials login = m_app->storeHarness().provider().credentials();
        QTRY_COMPARE(password->property("input").value<QQuickItem *>()->property("text").toString(), login.password);
        QCOMPARE(QmlHarness::find(overlay, u"save"_s)->property("enabled").toBool(), true);

        harness.key(Qt::Key_Escape);
        QTRY_VERIFY(!QmlHarness::find(overlay, u"title"_s));
        QCOMPARE(m_app->storeHarness().listed(m_app->app().store()->playlists().constFirst().id)->credentialReference,
                 m_app->app().store()->playlists().constFirst().credentialReference);
    }

    void theWelcomePageAddsTheFirstPlaylistWithTheKeyboard()
    {
        m_app.reset();
        m_app = std::make_unique<AppHarness>();
        m_app->start();
        QmlHarness harness({1240, 900});
        QQuickItem *page = harness.createFromQml(u"WelcomePage { width: 1190; height: 850 }"_s);
        QQuickItem *overlay = harness.window().contentItem();
        harness.click(QmlHarness::find(page, u"addPlaylist"_s));
        QQuickItem *save = nullptr;
        QTRY_VERIFY((save = QmlHarness::find(overlay, u"save"_s)) && save->isVisible());
        QCOMPARE(QmlHarness::find(overlay, u"title"_s)->property("text").toString(), u"Add a playlist"_s);
        QVERIFY(!save->isEnabled());

        // The name field has the keyboard; Tab moves on through the form.
        const XtreamCredentials login = m_app->storeHarness().provider().credentials();
        harness.type(u"Den"_s);
        harness.key(Qt::Key_Tab);
        // An address being typed is not wrong yet; one left unfinished is.
        QQuickItem *errorLine = QmlHarness::find(overlay, u"errorLine"_s);
        harness.type(u"h"_s);
        QVERIFY(!errorLine->isVisible());
        harness.key(Qt::Key_Tab);
        QCOMPARE(QmlHarness::find(overlay, u"errorText"_s)->property("text").toString(),
                 u"The server address must start with http:// or https://."_s);
        harness.key(Qt::Key_Tab, Qt::ShiftModifier);
        harness.type(login.serverURL.toString().mid(1));
        QVERIFY(!errorLine->isVisible());
        harness.key(Qt::Key_Tab);
        harness.type(login.username);
        harness.key(Qt::Key_Tab);
        harness.type(u"wrong"_s);
        QVERIFY(save->isEnabled());
        harness.key(Qt::Key_Return);
        QQuickItem *error = QmlHarness::find(overlay, u"errorText"_s);
        QTRY_COMPARE(error->property("text").toString(), u"The provider did not accept these credentials."_s);
        QVERIFY(m_app->app().store()->playlists().isEmpty());

        for (int i = 0; i < 5; ++i)
            harness.key(Qt::Key_Backspace);
        harness.type(login.password);
        harness.key(Qt::Key_Return);
        QTRY_COMPARE(m_app->app().store()->playlists().size(), 1);
        QTRY_VERIFY(!QmlHarness::find(overlay, u"save"_s));
        QCOMPARE(m_app->app().store()->playlists().constFirst().name, u"Den"_s);
        QCOMPARE(toastTexts(m_app->app()), QStringList{u"Den added \u2014 loading channels, films and series"_s});
    }

private:
    std::unique_ptr<AppHarness> m_app;
};

QTEST_MAIN(PlaylistsViewTest)
#include "tst_playlistsview.moc"
