#include "Artwork/ArtworkCache.h"
#include "Artwork/ArtworkFiles.h"
#include "support/AwaitBlocking.h"
#include "support/FakeProvider.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;
using std::chrono::milliseconds;

namespace {

struct Lookup
{
    bool done = false;
    std::optional<QString> file;
};

// Starts a lookup without waiting for it.
std::shared_ptr<Lookup> startLookup(ArtworkCache &cache, const QUrl &address)
{
    auto lookup = std::make_shared<Lookup>();
    [](ArtworkCache &cache, QUrl address, std::shared_ptr<Lookup> lookup) -> QCoro::Task<void> {
        lookup->file = co_await cache.cachedFile(address);
        lookup->done = true;
    }(cache, address, lookup);
    return lookup;
}

std::optional<QString> lookUp(ArtworkCache &cache, const QUrl &address)
{
    return awaitBlocking(cache.cachedFile(address));
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes a file into the cache as if it had been downloaded `ageSeconds` ago.
QString plant(const QString &root, const QString &name, const QByteArray &bytes, qint64 ageSeconds)
{
    const QString path = QDir(root).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        return QString();
    file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime);
    return path;
}

// The files of downloads under way (or left behind) in the cache's staging area.
QStringList unfinishedDownloads(const QString &root)
{
    QStringList files;
    QDirIterator entries(QDir(root).filePath(u".partial"_s), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString path = entries.next();
        if (!path.endsWith(u".lock"_s))
            files.append(path);
    }
    return files;
}

QDateTime at(qint64 secondsBeforeNow, const QDateTime &now)
{
    return now.addSecs(-secondsBeforeNow);
}

constexpr qint64 week = ArtworkFiles::freshSeconds;
constexpr qint64 mebibyte = 1024 * 1024;

} // namespace

class ArtworkCacheTest final : public QObject
{
    Q_OBJECT

private:
    // The artwork paths the provider was asked for, in the order asked.
    QStringList artworkRequests() const
    {
        QStringList paths;
        for (const FakeRequest &request : m_provider->requests()) {
            if (request.path.startsWith(u"/artwork/"_s))
                paths.append(request.path.mid(9));
        }
        return paths;
    }

    std::unique_ptr<FakeProvider> m_provider;
    std::unique_ptr<QTemporaryDir> m_root;

private Q_SLOTS:
    void init()
    {
        m_provider = std::make_unique<FakeProvider>();
        m_root = std::make_unique<QTemporaryDir>();
    }

    void cleanup()
    {
        m_provider->artwork().release();
        m_provider.reset();
        m_root.reset();
    }

    void namesFilesByTheAddressDigestAndAPlainExtension_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("extension");
        QTest::newRow("poster") << u"http://cdn.example/p/logo.png"_s << u"png"_s;
        QTest::newRow("query does not count") << u"http://cdn.example/p/poster.JPG?w=300&v=2"_s << u"JPG"_s;
        QTest::newRow("trailing mark") << u"http://cdn.example/logo.png-"_s << u"png"_s;
        QTest::newRow("only marks") << u"http://cdn.example/logo.-"_s << u"img"_s;
        QTest::newRow("no full stop") << u"http://cdn.example/logo"_s << u"img"_s;
        QTest::newRow("inner mark") << u"http://cdn.example/a.b-c"_s << u"b-c"_s;
        QTest::newRow("no path") << u"http://cdn.example"_s << u"img"_s;
        QTest::newRow("escaped separator") << u"http://cdn.example/a.png%2F..%2F..%2Fescape"_s << u"img"_s;
        QTest::newRow("escaped parent") << u"http://cdn.example/a.%2E%2E"_s << u"img"_s;
        QTest::newRow("backslash") << u"http://cdn.example/a.jp%5Cg"_s << u"img"_s;
        QTest::newRow("space inside") << u"http://cdn.example/a.jp%20g"_s << u"img"_s;
        QTest::newRow("control character") << u"http://cdn.example/a.jp%0Ag"_s << u"img"_s;
        QTest::newRow("not ASCII") << u"http://cdn.example/a.j%C3%A9g"_s << u"img"_s;
        QTest::newRow("sixteen characters") << u"http://cdn.example/a.abcdefghijklmnop"_s << u"abcdefghijklmnop"_s;
        QTest::newRow("seventeen characters") << u"http://cdn.example/a.abcdefghijklmnopq"_s << u"img"_s;
    }

    void namesFilesByTheAddressDigestAndAPlainExtension()
    {
        QFETCH(QString, address);
        QFETCH(QString, extension);
        const QUrl url(address);
        QCOMPARE(ArtworkFiles::extension(url), extension);
        const QString key = ArtworkFiles::key(url);
        QCOMPARE(key.size(), 64);
        QVERIFY(!key.contains(QRegularExpression(u"[^0-9a-f]"_s)));
        QCOMPARE(ArtworkFiles::fileName(url), key + u'.' + extension);
    }

    void addressesThatDifferOnlyInTheirQueryHaveTwoFiles()
    {
        const QUrl first(u"http://cdn.example/p.jpg?v=1"_s);
        const QUrl second(u"http://cdn.example/p.jpg?v=2"_s);
        QVERIFY(ArtworkFiles::key(first) != ArtworkFiles::key(second));
        QCOMPARE(ArtworkFiles::extension(first), ArtworkFiles::extension(second));
        QCOMPARE(ArtworkFiles::key(QUrl(u"abc"_s)),
                 u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"_s);
    }

    void judgesFreshnessByAge_data()
    {
        QTest::addColumn<qint64>("ageMs");
        QTest::addColumn<bool>("fresh");
        QTest::newRow("just written") << qint64(0) << true;
        QTest::newRow("a moment short of a week") << week * 1000 - 1 << true;
        QTest::newRow("a week") << week * 1000 << false;
        QTest::newRow("older") << week * 1000 + 1 << false;
        QTest::newRow("in the future") << qint64(-3'600'000) << true;
    }

    void judgesFreshnessByAge()
    {
        QFETCH(qint64, ageMs);
        QFETCH(bool, fresh);
        const QDateTime now = QDateTime::currentDateTime();
        QCOMPARE(ArtworkFiles::isFresh(now.addMSecs(-ageMs), now), fresh);
        QVERIFY(!ArtworkFiles::isFresh(std::nullopt, now));
    }

    void sweepsTheOldestPastTheBudgetAndEverythingOverAWeek_data()
    {
        QTest::addColumn<QList<ArtworkFiles::Entry>>("entries");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QStringList>("removed");
        const QDateTime now = QDateTime::currentDateTime();
        // 300 MiB in ten files of 30 MiB, an hour apart: the two oldest take it to 240 MiB.
        QList<ArtworkFiles::Entry> overBudget;
        QStringList oldestFirst;
        for (int hour = 10; hour >= 1; --hour) {
            overBudget.append({u"hour%1"_s.arg(hour), 30 * mebibyte, at(hour * 3600, now)});
            oldestFirst.append(overBudget.last().path);
        }
        QTest::newRow("over the budget") << overBudget << now << oldestFirst.mid(0, 2);
        QList<ArtworkFiles::Entry> withOldOnes = overBudget;
        withOldOnes.append({u"stale"_s, 1, at(week + 1, now)});
        QTest::newRow("also what is over a week old")
            << withOldOnes << now << QStringList{u"stale"_s, u"hour10"_s, u"hour9"_s};
        QTest::newRow("a week old exactly stays")
            << QList<ArtworkFiles::Entry>{{u"a week old"_s, 1, at(week, now)}, {u"older"_s, 1, at(week + 1, now)}}
            << now << QStringList{u"older"_s};
        // Equal times keep the listing's order.
        QTest::newRow("equal times in listing order")
            << QList<ArtworkFiles::Entry>{{u"b"_s, 200 * mebibyte, at(10, now)},
                                          {u"a"_s, 100 * mebibyte, at(10, now)},
                                          {u"c"_s, 10, at(5, now)}}
            << now << QStringList{u"b"_s};
        QTest::newRow("at the budget exactly")
            << QList<ArtworkFiles::Entry>{{u"x"_s, ArtworkFiles::byteBudget, at(10, now)}} << now << QStringList{};
    }

    void sweepsTheOldestPastTheBudgetAndEverythingOverAWeek()
    {
        QFETCH(QList<ArtworkFiles::Entry>, entries);
        QFETCH(QDateTime, now);
        QFETCH(QStringList, removed);
        QCOMPARE(ArtworkFiles::sweep(entries, now), removed);
    }

    void aFailedPlacementKeepsTheOldCopy()
    {
        const QString old = plant(m_root->path(), u"kept.jpg"_s, "old picture", 0);
        QVERIFY(!ArtworkFiles::place(m_root->filePath(u"vanished.part"_s), old));
        QCOMPARE(contents(old), QByteArray("old picture"));

        const QString staged = plant(m_root->path(), u"new.part"_s, "new picture", 0);
        QVERIFY(ArtworkFiles::place(staged, old));
        QCOMPARE(contents(old), QByteArray("new picture"));
        QVERIFY(!QFile::exists(staged));
    }

    void aLookupWithoutAnAddressFindsNothingAndSweepsNothing()
    {
        const QString stale = plant(m_root->path(), u"stale.jpg"_s, "x", week + 60);
        ArtworkCache cache(m_root->path());
        QCOMPARE(lookUp(cache, QUrl()), std::nullopt);
        QVERIFY(QFile::exists(stale));

        // The first lookup with an address sweeps before it looks.
        const std::optional<QString> file = lookUp(cache, m_provider->artworkURL(u"first.jpg"_s));
        QVERIFY(file);
        QVERIFY(!QFile::exists(stale));
        QVERIFY(!QImage(*file).isNull());
        QCOMPARE(QFileInfo(*file).dir().absolutePath(), QDir(m_root->path()).absolutePath());
    }

    void aFreshFileIsUsedWithoutAskingAndAWeekOldOneIsFetchedAgain()
    {
        ArtworkCache cache(m_root->path());
        const QUrl fresh = m_provider->artworkURL(u"fresh.jpg"_s);
        const QUrl stale = m_provider->artworkURL(u"stale.jpg"_s);
        const QUrl future = m_provider->artworkURL(u"future.jpg"_s);
        plant(m_root->path(), ArtworkFiles::fileName(fresh), "cached", week - 5);
        plant(m_root->path(), ArtworkFiles::fileName(stale), "cached", week);
        plant(m_root->path(), ArtworkFiles::fileName(future), "cached", -3600);

        QCOMPARE(contents(lookUp(cache, fresh).value_or(QString())), QByteArray("cached"));
        QCOMPARE(contents(lookUp(cache, future).value_or(QString())), QByteArray("cached"));
        const std::optional<QString> refreshed = lookUp(cache, stale);
        QVERIFY(refreshed);
        QVERIFY(!QImage(*refreshed).isNull());
        QCOMPARE(artworkRequests(), QStringList{u"stale.jpg"_s});
    }

    void aFailedRefreshKeepsTheStaleCopyButFindsNothing()
    {
        ArtworkCache cache(m_root->path());
        const QUrl missing = m_provider->artworkURL(u"status/404/gone.jpg"_s);
        const QString stale = plant(m_root->path(), ArtworkFiles::fileName(missing), "old copy", week + 10);
        // The first lookup's sweep would remove a file this old; let it run first.
        QVERIFY(lookUp(cache, m_provider->artworkURL(u"warm-up.jpg"_s)));
        plant(m_root->path(), ArtworkFiles::fileName(missing), "old copy", week + 10);

        QCOMPARE(lookUp(cache, missing), std::nullopt);
        QCOMPARE(contents(stale), QByteArray("old copy"));
    }

    void concurrentLookupsOfOneAddressShareOneDownload()
    {
        ArtworkCache cache(m_root->path());
        const QUrl address = m_provider->artworkURL(u"shared.png"_s);
        QList<std::shared_ptr<Lookup>> lookups;
        for (int count = 0; count < 4; ++count)
            lookups.append(startLookup(cache, address));
        QTRY_VERIFY(std::all_of(lookups.cbegin(), lookups.cend(), [](const auto &lookup) { return lookup->done; }));
        for (const auto &lookup : std::as_const(lookups))
            QCOMPARE(lookup->file, lookups.first()->file);
        QVERIFY(lookups.first()->file);
        QCOMPARE(artworkRequests(), QStringList{u"shared.png"_s});
    }

    void atMostSixDownloadsRunAtOnceAndTheRestStartInArrivalOrder()
    {
        ArtworkCache cache(m_root->path());
        m_provider->artwork().hold();
        QList<std::shared_ptr<Lookup>> lookups;
        QStringList names;
        for (int index = 0; index < 8; ++index) {
            names.append(u"queued-%1.jpg"_s.arg(index));
            lookups.append(startLookup(cache, m_provider->artworkURL(names.last())));
        }
        QTRY_COMPARE(artworkRequests().size(), 6);
        QStringList started = artworkRequests();
        started.sort();
        QCOMPARE(started, names.mid(0, 6));
        QTRY_COMPARE(cache.waitingDownloads(), 2);
        QCOMPARE(artworkRequests().size(), 6);

        m_provider->artwork().letGo(1);
        QTRY_COMPARE(artworkRequests().size(), 7);
        QCOMPARE(artworkRequests().last(), names.at(6));
        QCOMPARE(cache.waitingDownloads(), 1);
        QCOMPARE(artworkRequests().size(), 7);
        m_provider->artwork().letGo(1);
        QTRY_COMPARE(artworkRequests().size(), 8);
        QCOMPARE(artworkRequests().last(), names.at(7));

        m_provider->artwork().release();
        QTRY_VERIFY(std::all_of(lookups.cbegin(), lookups.cend(), [](const auto &lookup) { return lookup->done; }));
        for (const auto &lookup : std::as_const(lookups))
            QVERIFY(lookup->file && QFile::exists(*lookup->file));
    }

    void storesEverySuccessAndNothingElse_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("stored");
        QTest::newRow("not modified") << u"status/304/a.jpg"_s << false;
        QTest::newRow("not found") << u"status/404/a.jpg"_s << false;
        QTest::newRow("server error") << u"status/500/a.jpg"_s << false;
        QTest::newRow("not a picture") << u"text/a.jpg"_s << true;
        QTest::newRow("empty") << u"empty/a.jpg"_s << true;
    }

    void storesEverySuccessAndNothingElse()
    {
        QFETCH(QString, path);
        QFETCH(bool, stored);
        ArtworkCache cache(m_root->path());
        const std::optional<QString> file = lookUp(cache, m_provider->artworkURL(path));
        QCOMPARE(file.has_value(), stored);
        const QStringList files = QDir(m_root->path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(files.size(), stored ? 1 : 0);
        QVERIFY(unfinishedDownloads(m_root->path()).isEmpty());
    }

    void aStalledBodyFailsOnceTheServerFallsSilent()
    {
        // The server never sends the rest: without the inactivity time-out this would not return.
        ArtworkCache cache(m_root->path(), milliseconds(300));
        QCOMPARE(lookUp(cache, m_provider->artworkURL(u"stall/a.jpg"_s)), std::nullopt);
        QVERIFY(QDir(m_root->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
        QVERIFY(unfinishedDownloads(m_root->path()).isEmpty());
    }

    // Two programs on one cache (a screenshot run beside the user's window): the first sweep of
    // one removes what a program that has ended left behind, never a download the other has
    // under way; each takes its own unfinished downloads with it when it ends.
    void aProgramKeepsItsUnfinishedDownloadsApartFromAnother()
    {
        const QDir staging(m_root->filePath(u".partial"_s));
        const QString abandoned = staging.filePath(u"ended-program"_s);
        QVERIFY(QDir().mkpath(abandoned));
        QVERIFY(!plant(abandoned, u"a.part"_s, "half", 60).isEmpty());
        auto running = std::make_unique<ArtworkCache>(m_root->path());
        QStringList folders = staging.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        folders.removeOne(u"ended-program"_s);
        QCOMPARE(folders.size(), 1);
        // What a download of the running program has written so far.
        const QString underWay = plant(staging.filePath(folders.constFirst()), u"b.part"_s, "half", 0);
        QVERIFY(!underWay.isEmpty());

        {
            ArtworkCache another(m_root->path());
            const QUrl kept = m_provider->artworkURL(u"kept.jpg"_s);
            plant(m_root->path(), ArtworkFiles::fileName(kept), "cached", 60);
            QVERIFY(lookUp(another, kept));
            QVERIFY(QFileInfo::exists(underWay));
            QVERIFY(!QFileInfo::exists(abandoned));
        }
        QVERIFY(QFileInfo::exists(underWay));
        running.reset();
        QVERIFY(staging.isEmpty());
    }

    void everyEighthWrittenFileSweepsAgain()
    {
        ArtworkCache cache(m_root->path());
        QVERIFY(lookUp(cache, m_provider->artworkURL(u"write-1.jpg"_s)));
        const QString stale = plant(m_root->path(), u"stale.jpg"_s, "x", week + 60);
        for (int index = 2; index <= 7; ++index) {
            QVERIFY(lookUp(cache, m_provider->artworkURL(u"write-%1.jpg"_s.arg(index))));
            // Failed downloads write nothing and do not count.
            QCOMPARE(lookUp(cache, m_provider->artworkURL(u"status/404/miss-%1.jpg"_s.arg(index))), std::nullopt);
        }
        QVERIFY(QFile::exists(stale));
        QVERIFY(lookUp(cache, m_provider->artworkURL(u"write-8.jpg"_s)));
        QVERIFY(!QFile::exists(stale));
    }

    void clearingEndsTheWaitingLookupsAndEmptiesTheDirectory()
    {
        ArtworkCache cache(m_root->path());
        QVERIFY(lookUp(cache, m_provider->artworkURL(u"kept-before.jpg"_s)));
        m_provider->artwork().hold();
        QList<std::shared_ptr<Lookup>> lookups;
        for (int index = 0; index < 8; ++index)
            lookups.append(startLookup(cache, m_provider->artworkURL(u"cleared-%1.jpg"_s.arg(index))));
        QTRY_COMPARE(artworkRequests().size(), 7);

        awaitBlocking(cache.clear());
        m_provider->artwork().release();
        QTRY_VERIFY(std::all_of(lookups.cbegin(), lookups.cend(), [](const auto &lookup) { return lookup->done; }));
        for (const auto &lookup : std::as_const(lookups))
            QCOMPARE(lookup->file, std::nullopt);
        QVERIFY(QDir(m_root->path()).entryList(QDir::Files | QDir::Hidden).isEmpty());

        // The next lookup downloads again.
        const qsizetype asked = artworkRequests().size();
        QVERIFY(lookUp(cache, m_provider->artworkURL(u"kept-before.jpg"_s)));
        QCOMPARE(artworkRequests().size(), asked + 1);
    }

    void aHostileAddressStaysInsideTheCache()
    {
        ArtworkCache cache(m_root->path());
        const QUrl hostile(m_provider->artworkURL(u"x"_s).toString() + u".png%2F..%2F..%2F..%2Fescaped"_s);
        const std::optional<QString> file = lookUp(cache, hostile);
        QVERIFY(file);
        QCOMPARE(QFileInfo(*file).absolutePath(), QDir(m_root->path()).absolutePath());
        QVERIFY(file->endsWith(u".img"_s));
        QDir parent(m_root->path());
        parent.cdUp();
        QVERIFY(!QFile::exists(parent.filePath(u"escaped"_s)));
    }

    void aRefreshedFileReplacesTheOldOneInPlace()
    {
        ArtworkCache cache(m_root->path());
        QVERIFY(lookUp(cache, m_provider->artworkURL(u"warm-up.jpg"_s)));
        const QUrl address = m_provider->artworkURL(u"renewed.png"_s);
        const QString old = plant(m_root->path(), ArtworkFiles::fileName(address), "old copy", week + 1);
        QCOMPARE(lookUp(cache, address), old);
        QVERIFY(contents(old).startsWith("\x89PNG"));
        QVERIFY(ArtworkFiles::isFresh(QFileInfo(old).lastModified(), QDateTime::currentDateTime()));
    }
};

QTEST_GUILESS_MAIN(ArtworkCacheTest)
#include "tst_artworkcache.moc"
