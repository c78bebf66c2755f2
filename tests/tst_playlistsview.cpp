#include "App/AppModel.h"
#include "Store/CatalogueStore.h"
#include "support/AppHarness.h"
#include "support/ColourChecks.h"
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

// Opens the editor on the login of the playlist named `name`, from its card's menu.
bool openLoginEditor(QmlHarness &harness, QQuickItem *page, const QString &name)
{
    harness.click(QmlHarness::find(card(page, name), u"menuButton"_s));
    QQuickItem *edit = nullptr;
    if (!QTest::qWaitFor([&] {
            return (edit = QmlHarness::find(harness.window().contentItem(), u"editLogin"_s)) && edit->isVisible();
        }))
        return false;
    harness.click(edit);
    return true;
}

// The name of the control that has the keyboard: a field's own name is on the labelled field
// around its input.
QString focusedName(QQuickWindow &window)
{
    const QQuickItem *item = window.activeFocusItem();
    while (item && item->objectName().isEmpty())
        item = item->parentItem();
    return item ? item->objectName() : QString();
}

// Whether the button shows the keyboard's ring, drawn just outside its leading edge over `under`.
bool ringShown(QmlHarness &harness, QQuickItem *button, const QColor &under)
{
    return sameColour(harness.pixel(button, QPointF(-2, button->height() / 2)), blended(Palette::accentFocus, under));
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

        // Tab goes round its two buttons, showing which has the keyboard; Return on Cancel cancels.
        openMenuItem(u"remove"_s);
        QTRY_VERIFY(dialog->property("opened").toBool());
        QQuickItem *cancel = QmlHarness::find(overlay, u"dialogCancel"_s);
        QQuickItem *action = QmlHarness::find(overlay, u"dialogAction"_s);
        harness.key(Qt::Key_Tab);
        QCOMPARE(focusedName(harness.window()), u"dialogCancel"_s);
        QVERIFY(ringShown(harness, cancel, Palette::surface2));
        harness.key(Qt::Key_Tab);
        QCOMPARE(focusedName(harness.window()), u"dialogAction"_s);
        QVERIFY(ringShown(harness, action, Palette::surface2));
        QVERIFY(!ringShown(harness, cancel, Palette::surface2));
        harness.key(Qt::Key_Tab);
        QCOMPARE(focusedName(harness.window()), u"dialogCancel"_s);
        harness.key(Qt::Key_Return);
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
        QVERIFY(openLoginEditor(harness, page, u"Provider"_s));

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

    // The editor's Tab order runs through its fields, then Cancel and Save, and round again; the
    // control with the keyboard shows it. Return on a button acts as that button, Escape closes.
    void theEditorsKeyboardReachesEveryControl()
    {
        QmlHarness harness({1240, 900});
        QQuickItem *page = harness.createFromQml(u"PlaylistsPage { width: 1190; height: 850 }"_s);
        QQuickItem *overlay = harness.window().contentItem();
        // Open once the login is read, with the keyboard in the name field.
        const auto openEditor = [&] {
            return openLoginEditor(harness, page, u"Provider"_s) && QTest::qWaitFor([&] {
                const QQuickItem *save = QmlHarness::find(overlay, u"save"_s);
                return save && save->isEnabled() && focusedName(harness.window()) == u"nameField"_s;
            });
        };
        const auto closed = [&] { return !QmlHarness::find(overlay, u"save"_s); };
        const auto keyTo = [&](Qt::KeyboardModifiers modifiers) {
            harness.key(Qt::Key_Tab, modifiers);
            return focusedName(harness.window());
        };
        const QString reference = m_app->app().store()->playlists().constFirst().credentialReference;

        QVERIFY(openEditor());
        // The field with the keyboard shows it on its edge.
        const auto edge = [&](const QString &field) {
            QQuickItem *input = QmlHarness::find(overlay, field)->property("input").value<QQuickItem *>();
            return harness.pixel(input, QPointF(0, input->height() / 2));
        };
        QVERIFY_COLOUR(edge(u"nameField"_s), blended(Palette::accentFocus, Palette::surface2));
        QVERIFY_COLOUR(edge(u"serverField"_s), blended(Palette::stroke, Palette::surface2));
        QCOMPARE(keyTo(Qt::NoModifier), u"serverField"_s);
        QVERIFY_COLOUR(edge(u"serverField"_s), blended(Palette::accentFocus, Palette::surface2));
        QCOMPARE(keyTo(Qt::NoModifier), u"usernameField"_s);
        QCOMPARE(keyTo(Qt::NoModifier), u"passwordField"_s);
        QCOMPARE(keyTo(Qt::NoModifier), u"cancel"_s);
        QVERIFY(ringShown(harness, harness.window().activeFocusItem(), Palette::surface1));
        QCOMPARE(keyTo(Qt::NoModifier), u"save"_s);
        QVERIFY(ringShown(harness, harness.window().activeFocusItem(), Palette::surface1));
        QCOMPARE(keyTo(Qt::NoModifier), u"nameField"_s);
        QCOMPARE(keyTo(Qt::ShiftModifier), u"save"_s);
        QCOMPARE(keyTo(Qt::ShiftModifier), u"cancel"_s);
        // Return on Cancel cancels rather than saving, and Escape closes from a button as from a
        // field.
        const auto cancelledWith = [&](Qt::Key key) {
            harness.key(key);
            return QTest::qWaitFor(closed) && toastTexts(m_app->app()).isEmpty()
                && m_app->app().store()->playlists().constFirst().credentialReference == reference;
        };
        QVERIFY(cancelledWith(Qt::Key_Return));
        QVERIFY(openEditor());
        QCOMPARE(keyTo(Qt::ShiftModifier), u"save"_s);
        QVERIFY(cancelledWith(Qt::Key_Escape));

        // Space on Save saves.
        QVERIFY(openEditor());
        QCOMPARE(keyTo(Qt::ShiftModifier), u"save"_s);
        harness.key(Qt::Key_Space);
        QTRY_VERIFY(closed());
        QCOMPARE(toastTexts(m_app->app()), QStringList{u"Login updated"_s});
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
