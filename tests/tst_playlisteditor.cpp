#include "App/AppModel.h"
#include "Catalogue/CredentialStore.h"
#include "Catalogue/SecretServiceKeyring.h"
#include "Store/CatalogueStore.h"
#include "Support/UserSettings.h"
#include "Views/Pages/Playlists/PlaylistEditorModel.h"
#include "Views/Pages/Playlists/PlaylistsPageModel.h"
#include "support/AwaitBlocking.h"
#include "support/AppHarness.h"
#include "support/ModelChecks.h"
#include "support/PostedEvents.h"
#include "support/RecordingKeyring.h"
#include "support/StoreHarness.h"
#include "support/ToastTexts.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <QThreadPool>

using namespace Qt::StringLiterals;

namespace {

// Every log line of the run, to show that no password reaches one.
QStringList logLines;
QtMessageHandler previousHandler = nullptr;

void recordLogLine(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    logLines.append(message);
    previousHandler(type, context, message);
}

// A login that needs escaping everywhere it travels.
const QString trickyUser = u"jürgen+tv&co/1"_s;
const QString trickyPassword = u"Zq9+p&ss/wörd €"_s;

// The application as the program builds it, on a temporary data directory and a local provider.
// Its logins go to the real Secret Service when the test runs on a session bus that has one
// (tests/support/with-keyring.sh), else to a keyring in memory.
class Rig
{
public:
    Rig()
        : m_secretService(qEnvironmentVariableIsSet("QUILLMERE_TEST_SECRET_SERVICE")
                              ? std::make_unique<SecretServiceKeyring>()
                              : nullptr)
        , m_recording(m_secretService ? static_cast<KeyringBackend &>(*m_secretService) : m_inMemory)
        , m_app(QUrl(u"http://127.0.0.1:9"_s), &m_recording)
    {
        harness().provider().setLogin(trickyUser, trickyPassword);
        harness().provider().setCatalogue(generateCatalogue({20, 20, 5}));
        m_app.start();
    }

    ~Rig()
    {
        // Nothing a test made stays in the keyring.
        harness().stop();
        for (const QString &account : m_recording.liveAccounts())
            (void)awaitBlocking(m_recording.remove(CredentialStore::service, account));
    }

    StoreHarness &harness() { return m_app.storeHarness(); }
    CatalogueStore &store() { return harness().store(); }
    AppModel &app() { return m_app.app(); }
    RecordingKeyring &keyring() { return m_recording; }
    InMemoryKeyring &inMemory() { return m_inMemory; }
    bool realKeyring() const { return bool(m_secretService); }

    std::unique_ptr<PlaylistEditorModel> editor(qint64 playlistID = 0)
    {
        auto editor = std::make_unique<PlaylistEditorModel>();
        editor->setPlaylistID(playlistID);
        editor->setApp(&app());
        return editor;
    }

    static void fill(PlaylistEditorModel &editor, const QString &server, const QString &username,
                     const QString &password, const QString &name = QString())
    {
        editor.setName(name);
        editor.setServer(server);
        editor.setUsername(username);
        editor.setPassword(password);
    }

    QString server() { return harness().provider().serverURL().toString(); }
    QStringList playlistRows() { return harness().rows(u"SELECT name, server_url FROM playlists"_s); }
    bool stored(const QString &reference)
    {
        return awaitBlocking(m_recording.find(CredentialStore::service, reference)).status == KeyringBackend::success;
    }

private:
    std::unique_ptr<SecretServiceKeyring> m_secretService;
    InMemoryKeyring m_inMemory;
    RecordingKeyring m_recording;
    AppHarness m_app;
};

// Waits for the save to end; true when the sheet was asked to close.
bool saved(PlaylistEditorModel &editor)
{
    QSignalSpy finished(&editor, &PlaylistEditorModel::finished);
    editor.save();
    return QTest::qWaitFor([&] { return !editor.isSaving(); }, 15000) && !finished.isEmpty();
}

bool fileContains(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readAll().contains(text.toUtf8());
}

} // namespace

// The playlist editor and the removal of a playlist driven end to end: the local provider checks
// the logins and the keyring keeps them (a real Secret Service in the keyring run).
class PlaylistEditorTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        previousHandler = qInstallMessageHandler(recordLogLine);
    }

    void init()
    {
        logLines.clear();
    }

    void aGoodLoginIsVerifiedAndKeptOnlyInTheKeyring()
    {
        Rig rig;
        auto editor = rig.editor();
        QCOMPARE(editor->title(), u"Add a playlist"_s);
        // No name: the playlist is named after the host; the address is trimmed.
        Rig::fill(*editor, u"  "_s + rig.server() + u" \n"_s, trickyUser, trickyPassword, u"   "_s);
        QVERIFY(editor->canSave());
        QVERIFY(saved(*editor));
        QCOMPARE(editor->error(), QString());

        QCOMPARE(rig.playlistRows(), QStringList{u"127.0.0.1|"_s + rig.server()});
        const Playlist added = rig.store().playlists().constFirst();
        QCOMPARE(rig.store().activePlaylistID(), added.id);
        QCOMPARE(toastTexts(rig.app()), QStringList{u"127.0.0.1 added \u2014 loading channels, films and series"_s});
        QCOMPARE(rig.keyring().liveAccounts(), QStringList{added.credentialReference});
        const XtreamCredentials login = awaitBlocking(rig.store().credentialStore().read(added.credentialReference));
        QCOMPARE(login.username, trickyUser);
        QCOMPARE(login.password, trickyPassword);

        // The import it started signed in with the same login and finished.
        QVERIFY(rig.harness().waitUntilIdle(added.id));
        QCOMPARE(rig.harness().listed(added.id)->syncState, u"ready"_s);

        const QString database = rig.harness().databasePath();
        for (const QString &path : QStringList{database, database + u"-wal"_s, UserSettings::open()->fileName()})
            QVERIFY2(!fileContains(path, trickyPassword), qPrintable(path));
        QVERIFY(!logLines.join(u'\n').contains(trickyPassword));
    }

    void aRefusedOrUnreachableLoginShowsWhyAndStoresNothing_data()
    {
        QTest::addColumn<bool>("reachable");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("wrong password") << true << u"The provider did not accept these credentials."_s;
        QTest::newRow("nothing listening")
            << false << u"The provider could not be reached. Check the server address and connection."_s;
    }

    void aRefusedOrUnreachableLoginShowsWhyAndStoresNothing()
    {
        QFETCH(bool, reachable);
        QFETCH(QString, sentence);
        Rig rig;
        auto editor = rig.editor();
        Rig::fill(*editor, reachable ? rig.server() : u"http://127.0.0.1:9"_s, trickyUser, u"wrong"_s, u"Home"_s);
        QVERIFY(!saved(*editor));
        QCOMPARE(editor->error(), sentence);
        // The typed values stay for another try.
        QCOMPARE(editor->name(), u"Home"_s);
        QCOMPARE(editor->password(), u"wrong"_s);
        QVERIFY(rig.playlistRows().isEmpty());
        QCOMPARE(rig.keyring().addCount(), 0);
        QVERIFY(toastTexts(rig.app()).isEmpty());

        // The sentence shown is the one that holds now: a name too long is named over the
        // provider's answer, which stands until the address or the login changes.
        QCOMPARE(editor->reason(), sentence);
        editor->setName(QString(201, u'n'));
        QCOMPARE(editor->reason(), u"The name can be at most 200 characters long."_s);
        editor->setName(u"Home"_s);
        QCOMPARE(editor->reason(), sentence);
        editor->setPassword(trickyPassword);
        QCOMPARE(editor->error(), QString());
        QCOMPARE(editor->reason(), QString());
        if (reachable) {
            QVERIFY(saved(*editor));
            QCOMPARE(editor->error(), QString());
        }
    }

    void cancellingDuringTheCheckLeavesNothingBehind()
    {
        Rig rig;
        FakeFault stall;
        stall.stallAfterBytes = 0;
        rig.harness().provider().setFault(u"account"_s, stall);
        auto editor = rig.editor();
        QSignalSpy finished(editor.get(), &PlaylistEditorModel::finished);
        Rig::fill(*editor, rig.server(), trickyUser, trickyPassword);
        QCOMPARE(editor->saveTitle(), u"Add playlist"_s);
        editor->save();
        QVERIFY(editor->isSaving());
        QCOMPARE(editor->saveTitle(), u"Checking login\u2026"_s);
        QTRY_VERIFY(!rig.harness().provider().requests().isEmpty());

        editor->cancel();
        QCOMPARE(finished.size(), 1);
        editor.reset();
        rig.harness().provider().clearFaults();
        // The check ends on its worker once it sees the stop; nothing of the save may follow.
        QTRY_COMPARE(QThreadPool::globalInstance()->activeThreadCount(), 0);
        handlePostedEvents();
        QVERIFY(rig.playlistRows().isEmpty());
        QCOMPARE(rig.keyring().addCount(), 0);
        QVERIFY(toastTexts(rig.app()).isEmpty());
    }

    void editingReplacesTheLoginWithOneKeyringItem()
    {
        Rig rig;
        const Playlist original = rig.harness().addProviderPlaylist(u"Home"_s);
        QVERIFY(rig.harness().waitUntilIdle(original.id));

        auto editor = rig.editor(original.id);
        QCOMPARE(editor->title(), u"Edit login"_s);
        QCOMPARE(editor->saveTitle(), u"Save"_s);
        QCOMPARE(editor->name(), u"Home"_s);
        QCOMPARE(editor->server(), rig.server());
        QTRY_COMPARE(editor->password(), trickyPassword);
        QCOMPARE(editor->username(), trickyUser);

        rig.harness().provider().setLogin(u"anna"_s, u"new secret"_s);
        editor->setUsername(u"anna"_s);
        editor->setPassword(u"new secret"_s);
        editor->setName(u"Living room"_s);
        QVERIFY(saved(*editor));
        QCOMPARE(toastTexts(rig.app()), QStringList{u"Login updated"_s});

        const Playlist edited = *rig.harness().listed(original.id);
        QCOMPARE(edited.name, u"Living room"_s);
        QCOMPARE(rig.keyring().liveAccounts(), QStringList{edited.credentialReference});
        QVERIFY(!rig.stored(original.credentialReference));
        QVERIFY(rig.stored(edited.credentialReference));
        // The new login is tested; no import is started by an edit.
        QTRY_VERIFY(rig.store().health().value(edited.id).connectionChecked.has_value());
        QCOMPARE(rig.store().health().value(edited.id).connectionError, std::nullopt);
        QVERIFY(!rig.store().importingPlaylists().contains(edited.id));
    }

    void aLoginReadThatArrivesLateNeverOverwritesTyping()
    {
        Rig rig;
        const Playlist original = rig.harness().addProviderPlaylist(u"Home"_s);
        QVERIFY(rig.harness().waitUntilIdle(original.id));
        rig.keyring().holdReads(true);
        const int reads = rig.keyring().readCount();
        auto editor = rig.editor(original.id);
        editor->setUsername(u"typed"_s);
        rig.keyring().holdReads(false);
        QTRY_COMPARE(rig.keyring().readCount(), reads + 1);
        handlePostedEvents();
        QCOMPARE(editor->username(), u"typed"_s);
        QCOMPARE(editor->password(), QString());

        // A missing login leaves both fields empty; name and address are filled all the same.
        const Playlist other = rig.harness().addProviderPlaylist(u"Other"_s);
        QVERIFY(rig.harness().waitUntilIdle(other.id));
        (void)awaitBlocking(rig.keyring().remove(CredentialStore::service, other.credentialReference));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(u"Keyring read failed"_s));
        auto missing = rig.editor(other.id);
        // Save stays disabled until the login is typed again, and the sheet says why.
        QTRY_COMPARE(missing->reason(),
                     u"Could not read playlist credentials (keyring status -25300). Enter the username and password again."_s);
        QCOMPARE(missing->name(), u"Other"_s);
        QCOMPARE(missing->username(), QString());
        missing->setUsername(u"anna"_s);
        QVERIFY(!missing->reason().isEmpty());
        missing->setPassword(u"secret"_s);
        QCOMPARE(missing->reason(), QString());
    }

    void editingABusyPlaylistIsRefusedAfterTheCheck()
    {
        Rig rig;
        const Playlist original = rig.harness().addProviderPlaylist(u"Home"_s);
        QVERIFY(rig.harness().waitUntilIdle(original.id));
        FakeFault stall;
        stall.stallAfterBytes = 0;
        rig.harness().provider().setFault(u"get_live_categories"_s, stall);
        rig.store().startImport(original);
        QVERIFY(rig.store().isRefreshing(original.id));

        auto editor = rig.editor(original.id);
        QTRY_COMPARE(editor->password(), trickyPassword);
        editor->setName(u"Changed"_s);
        QVERIFY(!saved(*editor));
        QCOMPARE(editor->error(), u"Cancel the active refresh before editing this playlist."_s);
        QCOMPARE(rig.keyring().liveAccounts(), QStringList{original.credentialReference});
        QCOMPARE(rig.harness().listed(original.id)->name, u"Home"_s);
        rig.store().cancelRefresh(original.id);
        QVERIFY(rig.harness().waitUntilIdle(original.id));
    }

    // The sheet stays open while the playlist goes elsewhere: its save must not bring it back.
    void editingAPlaylistRemovedMeanwhileStoresNothing()
    {
        Rig rig;
        const Playlist original = rig.harness().addProviderPlaylist(u"Home"_s);
        QVERIFY(rig.harness().waitUntilIdle(original.id));
        auto editor = rig.editor(original.id);
        QTRY_COMPARE(editor->password(), trickyPassword);
        awaitBlocking(rig.store().removePlaylist(original));
        QVERIFY(!saved(*editor));
        QCOMPARE(editor->error(), u"This playlist has been removed."_s);
        QVERIFY(rig.playlistRows().isEmpty());
        QVERIFY(rig.keyring().liveAccounts().isEmpty());
    }

    void aKeyringThatRefusesTheLoginStoresNothing()
    {
        Rig rig;
        if (rig.realKeyring())
            QSKIP("the Secret Service cannot be made to refuse on demand");
        rig.inMemory().failWith(KeyringBackend::unavailable);
        auto editor = rig.editor();
        Rig::fill(*editor, rig.server(), trickyUser, trickyPassword);
        QVERIFY(!saved(*editor));
        QCOMPARE(editor->error(), u"Could not save playlist credentials (keyring status -25291)."_s);
        QVERIFY(rig.playlistRows().isEmpty());
    }

    void removalDeletesTheRowsTheLoginAndTheHealthRecord()
    {
        Rig rig;
        const Playlist playlist = rig.harness().addProviderPlaylist(u"Home"_s);
        QVERIFY(rig.harness().waitUntilIdle(playlist.id));
        const QString healthKey = u"quillmere.health."_s + QString::number(playlist.id);
        QVERIFY(UserSettings::value(healthKey).isValid());

        PlaylistsPageModel page;
        checkModel(*page.cards());
        page.setApp(&rig.app());
        QCOMPARE(page.cards()->rowCount(), 1);
        page.askToRemove(playlist.id);
        QCOMPARE(page.removeTitle(), u"Remove \u201cHome\u201d?"_s);
        // Dismissing removes nothing and forgets the pending playlist.
        page.dismissRemove();
        QVERIFY(!page.isConfirmingRemoval());
        QSignalSpy removals(&rig.store(), &CatalogueStore::playlistRemovalStarted);
        page.removeConfirmed();
        QCOMPARE(removals.size(), 0);
        QCOMPARE(rig.store().playlists().size(), 1);

        page.askToRemove(playlist.id);
        page.removeConfirmed();
        QVERIFY(!page.isConfirmingRemoval());
        QTRY_VERIFY(rig.store().playlists().isEmpty());
        QTRY_COMPARE(toastTexts(rig.app()), QStringList{u"Home removed"_s});
        QCOMPARE(page.cards()->rowCount(), 0);
        QVERIFY(rig.playlistRows().isEmpty());
        QCOMPARE(rig.harness().rows(u"SELECT COUNT(*) FROM content_items"_s), QStringList{u"0"_s});
        QVERIFY(rig.keyring().liveAccounts().isEmpty());
        QVERIFY(!rig.stored(playlist.credentialReference));
        QVERIFY(!UserSettings::value(healthKey).isValid());
        QVERIFY(!rig.store().health().contains(playlist.id));
    }
};

QTEST_GUILESS_MAIN(PlaylistEditorTest)
#include "tst_playlisteditor.moc"
