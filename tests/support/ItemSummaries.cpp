#include "ItemSummaries.h"

#include "Catalogue/CatalogueDatabase.h"
#include "TableSnapshot.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace {

QStringList onlyInFirst(const QStringList &first, const QStringList &second, const QString &label)
{
    const QSet<QString> others(second.begin(), second.end());
    QStringList differences;
    for (const QString &row : first) {
        if (!others.contains(row))
            differences.append(label + row);
    }
    return differences;
}

QStringList symmetricDifference(const QStringList &kept, const QStringList &expected, const QString &what)
{
    return onlyInFirst(kept, expected, what + u" not in the rows: "_s)
        + onlyInFirst(expected, kept, what + u" missing: "_s);
}

} // namespace

QStringList itemSummaryDifferences(CatalogueDatabase &database)
{
    const QStringList counts = tableSnapshot(
        database, u"SELECT playlist_id, kind, category_id, item_count FROM content_counts ORDER BY 1, 2, 3"_s);
    const QStringList expectedCounts = tableSnapshot(
        database, u"SELECT playlist_id, kind, category_id, COUNT(*) FROM content_items GROUP BY 1, 2, 3 ORDER BY 1, 2, 3"_s);

    // The index's (trigram, row) pairs beside those of an index built afresh from the rows.
    database.executeScript(uR"(
CREATE VIRTUAL TABLE temp.fresh_titles USING fts5(title, content='', tokenize='trigram', detail='none', columnsize=0);
INSERT INTO temp.fresh_titles (rowid, title) SELECT rowid, title FROM content_items;
CREATE VIRTUAL TABLE temp.kept_terms USING fts5vocab(main, content_titles, instance);
CREATE VIRTUAL TABLE temp.fresh_terms USING fts5vocab(temp, fresh_titles, instance);)"_s);
    const QStringList titles = tableSnapshot(database, u"SELECT term, doc FROM temp.kept_terms ORDER BY 1, 2"_s);
    const QStringList expectedTitles = tableSnapshot(database, u"SELECT term, doc FROM temp.fresh_terms ORDER BY 1, 2"_s);
    database.executeScript(u"DROP TABLE temp.kept_terms; DROP TABLE temp.fresh_terms; DROP TABLE temp.fresh_titles;"_s);

    return symmetricDifference(counts, expectedCounts, u"count"_s)
        + symmetricDifference(titles, expectedTitles, u"title"_s);
}
