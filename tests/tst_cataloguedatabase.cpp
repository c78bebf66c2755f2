#include "Catalogue/CatalogueDatabase.h"
#include "support/ConnectionHook.h"
#include "support/OpenFiles.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Refuses every pragma of the connection, as a connection whose start-up settings fail would.
int refusePragmas(sqlite3 *database, char **, const sqlite3_api_routines *)
{
    sqlite3_set_authorizer(
        database, [](void *, int action, const char *, const char *, const char *, const char *) {
            return action == SQLITE_PRAGMA ? SQLITE_DENY : SQLITE_OK;
        },
        nullptr);
    return SQLITE_OK;
}

// How many of this process's file descriptors are open on the file.
int openDescriptors(const QString &path)
{
    return int(openFileTargets().count(QFileInfo(path).canonicalFilePath()));
}

} // namespace

class CatalogueDatabaseTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bindsTextAndNullAndReliesOnAffinity()
    {
        QTemporaryDir dir;
        CatalogueDatabase database(dir.filePath(u"catalogue.sqlite"_s));
        database.executeScript(u"CREATE TABLE t (a INTEGER, b TEXT); CREATE TABLE u (c INTEGER);"_s);
        database.execute(u"INSERT INTO t (a, b) VALUES (?, ?)"_s, {u"42"_s, std::nullopt});
        QCOMPARE(database.integer(u"SELECT a FROM t"_s), 42);
        QCOMPARE(database.integer(u"SELECT typeof(a) = 'integer' FROM t"_s), 1);
        QCOMPARE(database.integer(u"SELECT b IS NULL FROM t"_s), 1);
        // Both statements of the script ran.
        QCOMPARE(database.integer(u"SELECT COUNT(*) FROM u"_s), 0);
        // Reused statements see fresh binds each time.
        database.execute(u"INSERT INTO t (a, b) VALUES (?, ?)"_s, {u"7"_s, u"x"_s});
        QCOMPARE(database.integer(u"SELECT COUNT(*) FROM t WHERE b = 'x' AND a = 7"_s), 1);
    }

    void failuresCarryTheConnectionsSentence()
    {
        QTemporaryDir dir;
        CatalogueDatabase database(dir.filePath(u"catalogue.sqlite"_s));
        database.executeScript(u"CREATE TABLE t (a INTEGER)"_s);
        try {
            (void)database.integer(u"SELECT a FROM t"_s);
            QFAIL("an empty result must throw");
        } catch (const CatalogueDatabaseError &error) {
            QVERIFY(error.description().startsWith(u"Local database error ("_s));
        }
        try {
            database.execute(u"INSERT INTO missing VALUES (1)"_s);
            QFAIL("a bad statement must throw");
        } catch (const CatalogueDatabaseError &error) {
            QCOMPARE(error.description(), u"Local database error (1): no such table: missing"_s);
        }
    }

    void unopenableFileHasTheOpenSentence()
    {
        QTemporaryDir dir;
        try {
            CatalogueDatabase database(dir.filePath(u"missing/dir/catalogue.sqlite"_s));
            QFAIL("opening inside a missing directory must fail");
        } catch (const CatalogueDatabaseError &error) {
            QCOMPARE(error.description(), u"The local catalogue could not be opened."_s);
        }
    }

    void aFailedStartUpSettingClosesTheConnection()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"catalogue.sqlite"_s);
        {
            CatalogueDatabase open(path);
            open.executeScript(u"CREATE TABLE t (a INTEGER)"_s);
            QCOMPARE(openDescriptors(path), 1);
        }
        const ConnectionHook hook(&refusePragmas);
        QVERIFY_THROWS_EXCEPTION(CatalogueDatabaseError, CatalogueDatabase{path});
        QCOMPARE(openDescriptors(path), 0);
    }

    void foreignKeysAreOn()
    {
        QTemporaryDir dir;
        CatalogueDatabase database(dir.filePath(u"catalogue.sqlite"_s));
        QCOMPARE(database.integer(u"PRAGMA foreign_keys"_s), 1);
    }
};

QTEST_GUILESS_MAIN(CatalogueDatabaseTest)
#include "tst_cataloguedatabase.moc"
