#include "VodText.h"

#include "Support/NumberText.h"

using namespace Qt::StringLiterals;

namespace VodText {

QString countLine(CatalogueKind kind, qint64 total, bool loading, bool hasItems)
{
    if (loading && !hasItems)
        return u"Loading\u2026"_s;
    const QString noun = kind == CatalogueKind::Movie ? u"movie"_s : u"show"_s;
    return NumberText::grouped(total) + u' ' + noun + (total == 1 ? QString() : u"s"_s);
}

Panel emptyPanel(const BrowseScope &scope, const QString &query)
{
    if (scope.type() == BrowseScope::Type::Favourites)
        return {u"heart"_s, u"Nothing saved yet"_s, u"Right-click a poster and choose Add to favourites."_s};
    if (!query.isEmpty())
        return {u"film.stack"_s, u"Nothing matches \u201C"_s + query + u"\u201D"_s, QString()};
    return {u"film.stack"_s, u"Nothing here yet"_s, QString()};
}

Panel errorPanel(CatalogueKind kind, const QString &error)
{
    return {u"exclamationmark.triangle"_s, kindTitle(kind) + u" unavailable"_s, error};
}

} // namespace VodText
