#include "RecentSearches.h"

namespace RecentSearches {

QStringList parse(const QString &stored)
{
    return stored.split(u'\n', Qt::SkipEmptyParts);
}

QString join(const QStringList &terms)
{
    return terms.join(u'\n');
}

QStringList remember(QStringList terms, const QString &term)
{
    if (term.size() < 2)
        return terms;
    terms.removeIf([&term](const QString &entry) { return entry.compare(term, Qt::CaseInsensitive) == 0; });
    terms.prepend(term);
    return terms.mid(0, maximumTerms);
}

} // namespace RecentSearches
