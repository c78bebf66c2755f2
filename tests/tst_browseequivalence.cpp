// The browse pages and counts against the plain formulation they stand for: every item of the
// kind walked, every search word matched by LIKE alone, every count taken row by row. On a
// generated catalogue with a second playlist, hidden categories and languages, favourites, and
// items without a category or with one the provider never listed, every page and count must be
// the same; rows that tie in the sort order may come in either order.

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CataloguePageReader.h"
#include "Catalogue/ContentItemIndexes.h"
#include "Catalogue/ImmediateTransaction.h"
#include "Catalogue/SqliteRow.h"
#include "Catalogue/SqliteStatement.h"
#include "support/AwaitBlocking.h"
#include "support/CatalogueFixture.h"
#include "support/CatalogueGenerator.h"
#include "support/ItemSummaries.h"
#include "support/TableSnapshot.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr qint64 playlist = 1;

// The where tail as first written: hidden categories looked up item by item, favourites tested
// item by item, and each word only through LIKE.
QString plainWhereTail(const BrowseScope &scope, const QString &query, QStringList &binds)
{
    QString tail;
    switch (scope.type()) {
    case BrowseScope::Type::All:
        tail = u"AND (i.category_id IS NULL OR i.category_id NOT IN (\n"
               "    SELECT c.provider_id FROM categories c WHERE c.playlist_id=i.playlist_id AND c.kind=i.kind\n"
               "       AND (c.language IN (SELECT key FROM hidden_languages)\n"
               "            OR EXISTS(SELECT 1 FROM category_hidden h WHERE h.playlist_id=c.playlist_id AND h.kind=c.kind AND h.provider_id=c.provider_id))))"_s;
        break;
    case BrowseScope::Type::Favourites:
        tail = u" AND EXISTS(SELECT 1 FROM favourites f WHERE f.playlist_id=i.playlist_id AND f.content_provider_id=i.provider_id AND f.kind=i.kind)"_s;
        break;
    case BrowseScope::Type::Category:
        tail = u" AND i.category_id=?"_s;
        binds.append(scope.categoryID());
        break;
    }
    for (QString word : query.trimmed().split(u' ', Qt::SkipEmptyParts).mid(0, 4)) {
        tail += u" AND i.title LIKE ? ESCAPE '\\'"_s;
        word.replace(u'\\', u"\\\\"_s).replace(u'%', u"\\%"_s).replace(u'_', u"\\_"_s);
        binds.append(u'%' + word + u'%');
    }
    return tail;
}

// The ORDER BY clause of a sort, and the values it sorts by as one text: rows with the same
// text tie.
struct Order
{
    QString clause;
    QString key;
};

Order plainOrder(BrowseSort sort, CatalogueKind kind)
{
    switch (sort) {
    case BrowseSort::Provider:
        return kind == CatalogueKind::Live
            ? Order{u"ORDER BY i.sort_number IS NULL, i.sort_number, i.title COLLATE NOCASE"_s,
                    u"quote(i.sort_number)||'|'||lower(i.title)"_s}
            : Order{u"ORDER BY i.added_at IS NULL, i.added_at DESC, i.sort_number, i.title COLLATE NOCASE"_s,
                    u"quote(i.added_at)||'|'||quote(i.sort_number)||'|'||lower(i.title)"_s};
    case BrowseSort::Title:
        return {u"ORDER BY i.title COLLATE NOCASE, i.provider_id"_s, u"lower(i.title)||'|'||i.provider_id"_s};
    case BrowseSort::Added:
        return {u"ORDER BY i.added_at IS NULL, i.added_at DESC, i.title COLLATE NOCASE"_s,
                u"quote(i.added_at)||'|'||lower(i.title)"_s};
    case BrowseSort::Rating:
        return {u"ORDER BY i.rating IS NULL, i.rating DESC, i.title COLLATE NOCASE"_s,
                u"quote(i.rating)||'|'||lower(i.title)"_s};
    }
    return {};
}

// Each row of a statement whose first two parameters are the playlist and the kind, followed
// by text binds; each row as its columns' texts.
QList<QStringList> rowsOf(CatalogueDatabase &database, const QString &sql, CatalogueKind kind, const QStringList &binds)
{
    SqliteStatement statement(database.handle(), sql);
    if (!statement)
        qFatal("%s", sqlite3_errmsg(database.handle()));
    statement.bind(1, playlist);
    statement.bind(2, kindText(kind));
    for (qsizetype index = 0; index < binds.size(); ++index)
        statement.bind(int(index + 3), binds.at(index));
    QList<QStringList> rows;
    while (statement.step() == SQLITE_ROW) {
        const SqliteRow row = statement.row();
        QStringList columns;
        for (int column = 0; column < row.columnCount(); ++column)
            columns.append(row.text(column).value_or(u"NULL"_s));
        rows.append(columns);
    }
    return rows;
}

QStringList firstColumn(CatalogueDatabase &database, const QString &sql, CatalogueKind kind, const QStringList &binds)
{
    QStringList values;
    for (const QStringList &row : rowsOf(database, sql, kind, binds))
        values.append(row.value(0));
    return values;
}

struct Shape
{
    CatalogueKind kind;
    BrowseScope scope;
    QString query;
};

} // namespace

Q_DECLARE_METATYPE(CatalogueKind)
Q_DECLARE_METATYPE(BrowseScope)

class BrowseEquivalenceTest final : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CatalogueFixture> m_catalogue;
    std::unique_ptr<CataloguePageReader> m_reader;
    GeneratedCatalogue m_generated;

    QStringList plainKeys(const Shape &shape, BrowseSort sort, const QString &limit)
    {
        QStringList binds;
        const QString tail = plainWhereTail(shape.scope, shape.query, binds);
        return firstColumn(m_catalogue->database(),
                           u"SELECT "_s + plainOrder(sort, shape.kind).key
                               + u" FROM content_items i WHERE i.playlist_id=? AND i.kind=? "_s + tail + u' '
                               + plainOrder(sort, shape.kind).clause + limit,
                           shape.kind, binds);
    }

    // The sort keys of the rows the reader lists, in its order.
    QStringList readerKeys(const Shape &shape, BrowseSort sort, int limit)
    {
        const QList<MediaItem> items = awaitBlocking(
            m_reader->browseItems(playlist, shape.kind, shape.scope, shape.query, sort, limit, 0));
        if (items.isEmpty())
            return {};
        QStringList ids;
        for (const MediaItem &item : items)
            ids.append(u'\'' + QString(item.providerID).replace(u'\'', u"''"_s) + u'\'');
        QHash<QString, QString> keyOf;
        const QString sql = u"SELECT i.provider_id, "_s + plainOrder(sort, shape.kind).key
            + u" FROM content_items i WHERE i.playlist_id=? AND i.kind=? AND i.provider_id IN ("_s + ids.join(u',')
            + u')';
        for (const QStringList &row : rowsOf(m_catalogue->database(), sql, shape.kind, {}))
            keyOf.insert(row.value(0), row.value(1));
        QStringList keys;
        for (const MediaItem &item : items)
            keys.append(keyOf.value(item.providerID));
        return keys;
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_catalogue = std::make_unique<CatalogueFixture>();
        CatalogueFixture &catalogue = *m_catalogue;
        m_generated = generateCatalogue({2400, 4000, 1600});
        catalogue.addPlaylist(playlist);
        catalogue.addCatalogue(playlist, m_generated);
        catalogue.addPlaylist(2);
        catalogue.addCatalogue(2, generateCatalogue({700, 900, 300}, 2));

        // Items the provider gave a category it never listed, and titles that test the search.
        int id = 900000;
        for (const CatalogueKind kind : allCatalogueKinds) {
            for (const QString &title : {u"Stray Night City"_s, u"O\"Brien's \"Night\""_s, u"AMÉLIE SPORT HD"_s,
                                         u"ночь и день"_s, u"東京 Story"_s, u"100% under_score\\path"_s}) {
                ContentItem item;
                item.kind = kind;
                item.providerID = QString::number(++id);
                item.title = title;
                item.categoryID = u"never-listed"_s;
                catalogue.addItem(playlist, item);
            }
        }
        for (const CatalogueKind kind : allCatalogueKinds) {
            const QList<ContentItem> items = m_generated.itemsOf(kind);
            for (qsizetype index = 0; index < items.size(); index += 37)
                catalogue.addFavourite(playlist, kind, items.at(index).providerID);
            catalogue.addFavourite(playlist, kind, u"gone"_s);
            const QList<Category> categories = m_generated.categoriesOf(kind);
            for (qsizetype index = 1; index < categories.size(); index += 4)
                catalogue.hideCategory(playlist, kind, categories.at(index).providerID);
        }
        catalogue.hideLanguage(u"tr"_s);
        catalogue.hideLanguage(u"ro"_s);
        m_reader = std::make_unique<CataloguePageReader>(catalogue.path());
    }

    void cleanupTestCase()
    {
        m_reader.reset();
        m_catalogue.reset();
    }

    void pagesAndCountsMatchThePlainQueries_data()
    {
        QTest::addColumn<CatalogueKind>("kind");
        QTest::addColumn<BrowseScope>("scope");
        QTest::addColumn<QString>("query");
        // The searches of the benchmark, the word lengths around the index's three characters,
        // case beyond ASCII (which LIKE does not fold), LIKE's wildcards, quotes, five words, and
        // words so common ("(19" of the years) that pages walk the list instead of looking up.
        const QStringList queries = {QString(), u"sport hd"_s, u"night city"_s, u"dark storm"_s, u"  SPORT  "_s,
                                     u"ni"_s, u"nig"_s, u"am"_s, u"amélie"_s, u"AMÉLIE"_s, u"Ночь"_s, u"ночь"_s,
                                     u"東京"_s, u"100%"_s, u"e_s"_s, u"score\\p"_s, u"\"night\""_s, u"o\"brien"_s,
                                     u"the night city dark storm"_s, u"a b c"_s, u"(19"_s, u"(19 night"_s};
        for (const CatalogueKind kind : allCatalogueKinds) {
            const QList<Category> categories = m_generated.categoriesOf(kind);
            const QList<std::pair<QString, BrowseScope>> scopes = {
                {u"all"_s, BrowseScope::all()},
                {u"favourites"_s, BrowseScope::favourites()},
                {u"category"_s, BrowseScope::category(categories.at(categories.size() / 2).providerID)},
                {u"hidden category"_s, BrowseScope::category(categories.at(1).providerID)},
                {u"unlisted category"_s, BrowseScope::category(u"never-listed"_s)}};
            for (const auto &[scopeName, scope] : scopes) {
                for (const QString &query : queries) {
                    QTest::addRow("%s %s \"%s\"", qPrintable(kindText(kind)), qPrintable(scopeName), qPrintable(query))
                        << kind << scope << query;
                }
            }
        }
    }

    void pagesAndCountsMatchThePlainQueries()
    {
        QFETCH(CatalogueKind, kind);
        QFETCH(BrowseScope, scope);
        QFETCH(QString, query);
        const Shape shape{kind, scope, query};

        QStringList binds;
        const QString tail = plainWhereTail(scope, query, binds);
        const QStringList plainCount = firstColumn(
            m_catalogue->database(), u"SELECT COUNT(*) FROM content_items i WHERE i.playlist_id=? AND i.kind=? "_s + tail,
            kind, binds);
        QCOMPARE(QString::number(awaitBlocking(m_reader->browseCount(playlist, kind, scope, query))), plainCount.value(0));

        const int pageSize = kind == CatalogueKind::Live ? 150 : 120;
        for (const BrowseSort sort : {BrowseSort::Provider, BrowseSort::Title, BrowseSort::Added, BrowseSort::Rating}) {
            QCOMPARE(readerKeys(shape, sort, pageSize), plainKeys(shape, sort, u" LIMIT "_s + QString::number(pageSize)));
            QCOMPARE(readerKeys(shape, sort, 100000), plainKeys(shape, sort, QString()));
        }
    }

    void summariesFollowEveryWrite()
    {
        CatalogueFixture catalogue;
        CatalogueDatabase &database = catalogue.database();
        catalogue.addPlaylist(1);
        catalogue.addPlaylist(2);
        catalogue.addCatalogue(1, generateCatalogue({60, 80, 40}));
        catalogue.addCatalogue(2, generateCatalogue({30, 30, 30}, 4));
        QCOMPARE(itemSummaryDifferences(database), QStringList());

        database.executeScript(uR"(
UPDATE content_items SET category_id=NULL WHERE playlist_id=1 AND kind='live' AND CAST(provider_id AS INTEGER) % 3 = 0;
UPDATE content_items SET category_id='moved', title=title || ' Extra' WHERE playlist_id=1 AND kind='movie' AND CAST(provider_id AS INTEGER) % 4 = 0;
UPDATE content_items SET epg_channel_id='linked', epg_channel_key='linked' WHERE playlist_id=1 AND kind='live';
DELETE FROM content_items WHERE playlist_id=1 AND kind='series' AND CAST(provider_id AS INTEGER) % 2 = 0;
)"_s);
        QCOMPARE(itemSummaryDifferences(database), QStringList());

        database.execute(u"DELETE FROM playlists WHERE id=2"_s);
        QCOMPARE(itemSummaryDifferences(database), QStringList());
        QCOMPARE(tableSnapshot(database, u"SELECT COUNT(*) FROM content_counts WHERE playlist_id=2"_s),
                 QStringList{u"1:0"_s});

        // Removing the playlist that holds most of the items rebuilds everything over the rest.
        catalogue.addPlaylist(3);
        catalogue.addCatalogue(3, generateCatalogue({10, 10, 10}, 5));
        const QString schema = u"SELECT sql FROM sqlite_master WHERE tbl_name='content_items' ORDER BY name"_s;
        const QStringList definitions = tableSnapshot(database, schema);
        inImmediateTransaction(database, [&database] {
            ContentItemIndexes::writePlaylistItems(database, 1, ContentItemIndexes::itemsOf(database, 1), [&database] {
                database.execute(u"DELETE FROM playlists WHERE id=1"_s);
            });
        });
        QCOMPARE(tableSnapshot(database, schema), definitions);
        QCOMPARE(itemSummaryDifferences(database), QStringList());
        QCOMPARE(ContentItemIndexes::itemsOf(database, 3), 30);
    }
};

QTEST_GUILESS_MAIN(BrowseEquivalenceTest)
#include "tst_browseequivalence.moc"
