#include "Views/Pages/Playlists/PlaylistCard.h"
#include "Views/Pages/Playlists/PlaylistEditorModel.h"
#include "Views/Pages/Settings/CategoryArrangement.h"
#include "Views/Pages/Settings/SettingKeys.h"
#include "Views/Pages/Settings/SettingValue.h"
#include "Support/UserSettings.h"
#include "support/CatalogueItems.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList names(const QList<BrowseCategory> &categories)
{
    QStringList list;
    for (const BrowseCategory &each : categories)
        list.append(each.name);
    return list;
}

Playlist playlist(const QString &name, const QString &server = u"http://tv.example.net:8080"_s,
                  const QString &state = u"ready"_s, int progress = 0)
{
    Playlist made;
    made.id = 7;
    made.name = name;
    made.serverURL = QUrl(server);
    made.syncState = state;
    made.syncProgress = progress;
    return made;
}

PlaylistEditorModel::Fields fields(const QString &server, const QString &username = u"anna"_s,
                                   const QString &password = u"secret"_s, const QString &name = QString())
{
    return {name, server, username, password};
}

} // namespace

// The pages' rules without a screen: the settings table, the playlist cards' texts, the
// category settings' lists and orders, and the playlist editor's form.
class PageRulesTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        QStandardPaths::setTestModeEnabled(true);
        UserSettings::open()->clear();
    }

    void everySettingReadsItsDefaultUntilWritten_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("fallback");
        QTest::addColumn<QString>("label");

        // A fresh installation, as the settings page shows it.
        QTest::newRow("start page") << u"quillmere.startPage"_s << QVariant(u"home"_s) << u"Home"_s;
        QTest::newRow("poster size") << u"quillmere.posterSize"_s << QVariant(u"medium"_s) << u"Medium"_s;
        QTest::newRow("clock") << u"quillmere.use24HourClock"_s << QVariant(true) << QString();
        QTest::newRow("motion") << u"quillmere.reduceMotion"_s << QVariant(false) << QString();
        QTest::newRow("resume") << u"quillmere.resumePlayback"_s << QVariant(true) << QString();
        QTest::newRow("next episode") << u"quillmere.autoPlayNextEpisode"_s << QVariant(true) << QString();
        QTest::newRow("skip step") << u"quillmere.seekStepSeconds"_s << QVariant(10) << u"10 seconds"_s;
        QTest::newRow("controls") << u"quillmere.osdTimeoutSeconds"_s << QVariant(4) << u"4 seconds"_s;
        QTest::newRow("buffer") << u"quillmere.networkCachingMs"_s << QVariant(1500) << u"Normal (1.5 s)"_s;
        QTest::newRow("live format") << u"quillmere.liveFormat"_s << QVariant(u"m3u8"_s) << u"HLS (recommended)"_s;
        QTest::newRow("numbers") << u"quillmere.showChannelNumbers"_s << QVariant(true) << QString();
        QTest::newRow("last channel") << u"quillmere.rememberLastChannel"_s << QVariant(true) << QString();
        QTest::newRow("grouping") << u"quillmere.groupCategoriesByLanguage"_s << QVariant(false) << QString();
        QTest::newRow("auto playlists") << u"autoRefreshPlaylist"_s << QVariant(true) << QString();
        QTest::newRow("playlist hours") << u"catalogueRefreshHours"_s << QVariant(24) << u"Daily"_s;
        QTest::newRow("auto guide") << u"autoRefreshEpg"_s << QVariant(true) << QString();
        QTest::newRow("guide hours") << u"guideRefreshHours"_s << QVariant(4) << u"Every 4 hours"_s;
        QTest::newRow("history") << u"quillmere.keepWatchHistory"_s << QVariant(true) << QString();
    }

    void everySettingReadsItsDefaultUntilWritten()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, fallback);
        QFETCH(QString, label);

        const QVariant read = SettingKeys::read(key);
        QCOMPARE(read.typeId(), fallback.typeId());
        QCOMPARE(read, fallback);
        const SettingKeys::Setting *setting = SettingKeys::find(key);
        QVERIFY(setting);
        QString shown;
        for (const SettingKeys::Option &option : setting->options) {
            if (option.value == read)
                shown = option.label;
        }
        QCOMPARE(shown, label);

        // A value of another type, written by hand or by an older program, reads as the default.
        UserSettings::setValue(key, setting->type == SettingKeys::Type::Text ? QVariant(42) : QVariant(u"yes"_s));
        QCOMPARE(SettingKeys::read(key), fallback);
    }

    void theMenusOfferTheirChoicesInOrder()
    {
        const auto labels = [](const QString &key) {
            QStringList list;
            for (const SettingKeys::Option &option : SettingKeys::find(key)->options)
                list.append(option.value.toString() + u'=' + option.label);
            return list.join(u", "_s);
        };
        QCOMPARE(labels(u"quillmere.startPage"_s),
                 u"home=Home, live=Live TV, guide=TV Guide, movies=Movies, series=Series, last=Where I left off"_s);
        QCOMPARE(labels(u"quillmere.seekStepSeconds"_s),
                 u"5=5 seconds, 10=10 seconds, 15=15 seconds, 30=30 seconds, 60=1 minute"_s);
        QCOMPARE(labels(u"quillmere.networkCachingMs"_s),
                 u"800=Low (0.8 s), 1500=Normal (1.5 s), 3000=High (3 s), 6000=Very high (6 s)"_s);
        QCOMPARE(labels(u"catalogueRefreshHours"_s),
                 u"6=Every 6 hours, 12=Every 12 hours, 24=Daily, 72=Every 3 days, 168=Weekly"_s);
        QCOMPARE(labels(u"guideRefreshHours"_s), u"1=Every hour, 4=Every 4 hours, 12=Every 12 hours, 24=Daily"_s);
        QCOMPARE(labels(u"quillmere.liveFormat"_s), u"m3u8=HLS (recommended), ts=MPEG-TS"_s);
        QCOMPARE(labels(u"quillmere.posterSize"_s), u"small=Small, medium=Medium, large=Large"_s);
    }

    void writesKeepTheSettingsType()
    {
        // QML hands whole numbers over as doubles; the readers elsewhere want integers.
        QVERIFY(SettingKeys::write(u"quillmere.networkCachingMs"_s, 3000.0));
        QCOMPARE(UserSettings::value(u"quillmere.networkCachingMs"_s).typeId(), QMetaType::Int);
        QCOMPARE(SettingKeys::read(u"quillmere.networkCachingMs"_s), QVariant(3000));

        QVERIFY(!SettingKeys::write(u"quillmere.networkCachingMs"_s, 2.5));
        QVERIFY(!SettingKeys::write(u"quillmere.networkCachingMs"_s, u"3000"_s));
        QVERIFY(!SettingKeys::write(u"quillmere.use24HourClock"_s, 1));
        QVERIFY(!SettingKeys::write(u"quillmere.startPage"_s, true));
        QVERIFY(!SettingKeys::write(u"quillmere.unknown"_s, true));
        QCOMPARE(SettingKeys::read(u"quillmere.networkCachingMs"_s), QVariant(3000));
        QVERIFY(!UserSettings::value(u"quillmere.unknown"_s).isValid());

        // A stored value outside the menu stays as it is: its readers still use it.
        UserSettings::setValue(u"catalogueRefreshHours"_s, 48);
        QCOMPARE(SettingKeys::read(u"catalogueRefreshHours"_s), QVariant(48));
    }

    void aBoundSettingFollowsWritesMadeElsewhere()
    {
        SettingValue bound;
        bound.setKey(u"quillmere.posterSize"_s);
        QCOMPARE(bound.value(), QVariant(u"medium"_s));
        QCOMPARE(bound.options().size(), 3);
        QSignalSpy changes(&bound, &SettingValue::valueChanged);

        UserSettings::setValue(u"quillmere.posterSize"_s, u"large"_s);
        QCOMPARE(bound.value(), QVariant(u"large"_s));
        UserSettings::setValue(u"quillmere.posterSize"_s, u"large"_s);
        QCOMPARE(changes.size(), 1);

        // A refused value changes nothing; removing the key brings the default back.
        bound.setValue(7);
        QCOMPARE(bound.value(), QVariant(u"large"_s));
        UserSettings::remove(u"quillmere.posterSize"_s);
        QCOMPARE(bound.value(), QVariant(u"medium"_s));
        QCOMPARE(changes.size(), 2);
    }

    void aCardSaysWhatIsKnownOfItsPlaylist()
    {
        const QDateTime now = QDateTime::fromSecsSinceEpoch(1'800'000'000);
        PlaylistCard::Status status;
        status.active = true;
        PlaylistCard card = PlaylistCard::make(playlist(u"éclair"_s), status, now);
        QCOMPARE(card.initial, u"É"_s);
        QCOMPARE(card.server, u"tv.example.net"_s);
        QVERIFY(card.active);
        QVERIFY(!card.needsAttention);
        QCOMPARE(card.stats.size(), 3);
        // Never refreshed: nothing known in any column, and no extra lines.
        for (const PlaylistCard::Stat &stat : card.stats) {
            QCOMPARE(stat.updated, u"Not yet"_s);
            QVERIFY(!stat.dated);
            QVERIFY(stat.error.isEmpty());
            QVERIFY(stat.extra.isEmpty());
        }
        QCOMPARE(card.stats[0].title, u"Catalogue"_s);
        QCOMPARE(card.stats[1].title, u"TV guide"_s);
        QCOMPARE(card.stats[2].title, u"Connection"_s);

        status.health.lastCatalogueSuccess = now.addSecs(-300);
        status.health.catalogueError = u"The provider did not accept these credentials."_s;
        status.health.lastGuideSuccess = now.addSecs(-7200);
        status.health.guideProgrammeCount = 0;
        status.health.connectionChecked = now.addSecs(-30);
        card = PlaylistCard::make(playlist(u"Home"_s, u"http://tv.example.net"_s, u"error"_s), status, now);
        QVERIFY(card.needsAttention);
        QCOMPARE(card.stats[0].updated, u"Updated 5 min ago"_s);
        QVERIFY(!card.stats[0].dateHelp.isEmpty());
        QCOMPARE(card.stats[0].error, u"The provider did not accept these credentials."_s);
        QCOMPARE(card.stats[1].updated, u"Updated 2 h ago"_s);
        // A stored count of zero is shown like any other.
        QCOMPARE(card.stats[1].extra, u"0 programmes"_s);
        QCOMPARE(card.stats[2].updated, u"Updated just now"_s);
        QCOMPARE(card.stats[2].extra, u"Login accepted"_s);

        status.health.guideProgrammeCount = 123456;
        status.health.connectionError = u"The server could not be reached."_s;
        card = PlaylistCard::make(playlist(u"Home"_s), status, now);
        QCOMPARE(card.stats[1].extra, QLocale().toString(123456) + u" programmes"_s);
        QCOMPARE(card.stats[2].error, u"The server could not be reached."_s);
        QVERIFY(card.stats[2].extra.isEmpty());
    }

    void aCardShowsTheRunningRefresh()
    {
        const QDateTime now = QDateTime::currentDateTime();
        PlaylistCard::Status status;
        status.refreshing = true;
        // A guide refresh alone: no step text of the store's, no percentage.
        PlaylistCard card = PlaylistCard::make(playlist(u"Home"_s), status, now);
        QCOMPARE(card.step, u"Updating TV guide\u2026"_s);
        QVERIFY(!card.importing);

        status.importing = true;
        status.activity = u"Saving movies"_s;
        card = PlaylistCard::make(playlist(u"Home"_s, u"http://h"_s, u"syncing"_s, 42), status, now);
        QCOMPARE(card.step, u"Saving movies"_s);
        QCOMPARE(card.progress, 42);
        QCOMPARE(card.progressText, u"42%"_s);
        card = PlaylistCard::make(playlist(u"Home"_s, u"http://h"_s, u"syncing"_s, 140), status, now);
        QCOMPARE(card.progressText, u"100%"_s);
    }

    void aCardLettersAndServerLines_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("initial");
        QTest::newRow("empty") << QString() << u"?"_s;
        QTest::newRow("lower case") << u"home"_s << u"H"_s;
        QTest::newRow("outside the basic plane") << u"\U0001D4D7ome"_s << u"\U0001D4D7"_s;
        QTest::newRow("right to left") << u"قنوات"_s << u"ق"_s;
    }

    void aCardLettersAndServerLines()
    {
        QFETCH(QString, name);
        QFETCH(QString, initial);
        QCOMPARE(PlaylistCard::initialOf(name), initial);
        QCOMPARE(PlaylistCard::serverLine(QUrl(u"https://portal.example.org:8443/x"_s)), u"portal.example.org"_s);
        QCOMPARE(PlaylistCard::serverLine(QUrl(u"file:relative"_s)), u"file:relative"_s);
    }

    void theFilterTrimsSpacesAndTabsButNotLineBreaks()
    {
        const QList<BrowseCategory> all{category(u"1"_s, u"UK: Sports"_s), category(u"2"_s, u"FR: Sport"_s),
                                        category(u"3"_s, u"News"_s)};
        QCOMPARE(names(CategoryArrangement::shown(all, u"  \tsport\t "_s)), (QStringList{u"UK: Sports"_s, u"FR: Sport"_s}));
        QCOMPARE(names(CategoryArrangement::shown(all, u"SPORTS"_s)), QStringList{u"UK: Sports"_s});
        QCOMPARE(CategoryArrangement::shown(all, u" \t "_s), all);
        QVERIFY(CategoryArrangement::shown(all, u"\nnews"_s).isEmpty());
    }

    void languageChipsCountCategoriesThenOrderByKey()
    {
        const QList<BrowseCategory> all{
            category(u"1"_s, u"A"_s, u"fr"_s), category(u"2"_s, u"B"_s, u"de"_s, 10, true),
            category(u"3"_s, u"C"_s, u"en"_s), category(u"4"_s, u"D"_s, u"de"_s),
            category(u"5"_s, u"E"_s, u"x:ZZ"_s), category(u"6"_s, u"F"_s, u"fr"_s),
        };
        const QList<CategoryArrangement::LanguageCount> languages = CategoryArrangement::languages(all);
        const QList<CategoryArrangement::LanguageCount> expected{{u"de"_s, 2}, {u"fr"_s, 2}, {u"en"_s, 1}, {u"x:ZZ"_s, 1}};
        QCOMPARE(languages, expected);
        QCOMPARE(CategoryArrangement::chipTitle(languages[1]), u"French \u00b7 2"_s);
        QCOMPARE(CategoryArrangement::chipTitle(languages[3]), u"ZZ \u00b7 1"_s);
        QCOMPARE(CategoryArrangement::hiddenLanguageBadge(u"x:ZZ"_s), u"ZZ HIDDEN"_s);
        QCOMPARE(CategoryArrangement::hiddenLanguageBadge(u"de"_s), u"GERMAN HIDDEN"_s);

        QVERIFY(CategoryArrangement::isHidden(all[1], {}));
        QVERIFY(CategoryArrangement::isHidden(all[0], {u"fr"_s}));
        QVERIFY(!CategoryArrangement::isHidden(all[2], {u"fr"_s}));
    }

    void moveButtonsSaveEveryIDInTheNewOrder()
    {
        const QList<BrowseCategory> all{category(u"a"_s, u"A"_s), category(u"b"_s, u"B"_s), category(u"c"_s, u"C"_s)};
        QCOMPARE(CategoryArrangement::movedIDs(all, all[2], 0), (QStringList{u"c"_s, u"a"_s, u"b"_s}));
        QCOMPARE(CategoryArrangement::movedIDs(all, all[0], 1), (QStringList{u"b"_s, u"a"_s, u"c"_s}));
        // At the ends a step stays where it is, and the unchanged order is saved again.
        QCOMPARE(CategoryArrangement::stepTarget(all, all[0], -1), 0);
        QCOMPARE(CategoryArrangement::stepTarget(all, all[2], 1), 2);
        QCOMPARE(CategoryArrangement::movedIDs(all, all[2], 2), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
        QCOMPARE(CategoryArrangement::stepTarget(all, all[1], 1), 2);
        // A category that changed since the list was read is not found.
        BrowseCategory renamed = all[1];
        renamed.name = u"B2"_s;
        QCOMPARE(CategoryArrangement::stepTarget(all, renamed, 1), std::nullopt);
    }

    void theEditorSavesOnlyACompleteLogin_data()
    {
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("username");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("savable");
        QTest::addColumn<QString>("problem");

        const QString fine = u"http://tv.example.net:8080"_s;
        QTest::newRow("complete") << fine << u"anna"_s << u"p+ss&w/rd"_s << true << QString();
        QTest::newRow("https, spaces around the address") << u"  https://tv.example.net \n"_s << u"anna"_s
                                                          << u"x"_s << true << QString();
        QTest::newRow("spaces in the login") << fine << u" anna "_s << u" pw "_s << true << QString();
        QTest::newRow("non-ASCII login") << fine << u"jürgen"_s << u"pässwörd€"_s << true << QString();
        QTest::newRow("no scheme") << u"tv.example.net:8080"_s << u"anna"_s << u"pw"_s << false
                                   << u"The server address must start with http:// or https://."_s;
        QTest::newRow("ftp") << u"ftp://tv.example.net"_s << u"anna"_s << u"pw"_s << false
                             << u"The server address must start with http:// or https://."_s;
        QTest::newRow("login in the address") << u"http://anna:pw@tv.example.net"_s << u"anna"_s << u"pw"_s << false
                                              << u"Leave the username and password out of the server address."_s;
        QTest::newRow("space in the host") << u"http://tv example.net"_s << u"anna"_s << u"pw"_s << false
                                           << u"Enter a valid server address."_s;
        QTest::newRow("no host") << u"http://"_s << u"anna"_s << u"pw"_s << false << u"Enter a valid server address."_s;
        QTest::newRow("no username") << fine << QString() << u"pw"_s << false << u"Enter the username."_s;
        QTest::newRow("no password") << fine << u"anna"_s << QString() << false << u"Enter the password."_s;
        QTest::newRow("very long address") << u"http://tv.example.net/"_s + QString(3000, u'a') << u"anna"_s << u"pw"_s
                                           << false << u"The server address can be at most 2000 characters long."_s;
        QTest::newRow("very long password") << fine << u"anna"_s << QString(501, u'x') << false
                                            << u"The password can be at most 500 characters long."_s;
    }

    void theEditorSavesOnlyACompleteLogin()
    {
        QFETCH(QString, server);
        QFETCH(QString, username);
        QFETCH(QString, password);
        QFETCH(bool, savable);
        QFETCH(QString, problem);
        const PlaylistEditorModel::Fields typed = fields(server, username, password);
        QCOMPARE(PlaylistEditorModel::canSave(typed), savable);
        using Field = PlaylistEditorModel::Field;
        QCOMPARE(PlaylistEditorModel::problem(typed, Field::Name | Field::Server | Field::Username | Field::Password),
                 problem);
    }

    // A rule is named once an entry that breaks it is finished; a value too long is named at once.
    void theEditorNamesOnlyWhatFinishedEntriesBreak()
    {
        using Field = PlaylistEditorModel::Field;
        PlaylistEditorModel::FieldSet finished;
        const PlaylistEditorModel::Fields empty = fields(QString(), QString(), QString());
        // A fresh form says nothing; the disabled button is enough.
        QCOMPARE(PlaylistEditorModel::problem(empty, finished), QString());
        // An address being typed is not wrong yet.
        QCOMPARE(PlaylistEditorModel::problem(fields(u"h"_s, QString(), QString()), finished), QString());
        finished |= Field::Username;
        QCOMPARE(PlaylistEditorModel::problem(empty, finished), u"Enter the username."_s);
        finished |= Field::Server;
        QCOMPARE(PlaylistEditorModel::problem(empty, finished), u"Enter the server address."_s);
        QCOMPARE(PlaylistEditorModel::problem(fields(u"  "_s, QString(), QString()), finished), u"Enter the server address."_s);
        QCOMPARE(PlaylistEditorModel::problem(fields(u"h"_s, QString(), QString()), finished),
                 u"The server address must start with http:// or https://."_s);
        QCOMPARE(PlaylistEditorModel::problem(fields(u"x"_s, u"anna"_s, u"pw"_s, QString(201, u'n')), {}),
                 u"The name can be at most 200 characters long."_s);
    }

    void aPlaylistWithoutANameIsNamedAfterItsServer()
    {
        QCOMPARE(PlaylistEditorModel::playlistName(u"  Home \n"_s, QUrl(u"http://tv.example.net"_s)), u"Home"_s);
        QCOMPARE(PlaylistEditorModel::playlistName(u"   "_s, QUrl(u"http://tv.example.net:8080/x"_s)),
                 u"tv.example.net"_s);
        QCOMPARE(PlaylistEditorModel::playlistName(QString(), QUrl(u"http:/path-only"_s)), u"Playlist"_s);
    }
};

QTEST_GUILESS_MAIN(PageRulesTest)
#include "tst_pagerules.moc"
