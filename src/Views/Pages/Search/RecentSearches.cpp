#include "RecentSearches.h"

using namespace Qt::StringLiterals;

namespace RecentSearches {

QString term(const QString &typed)
{
    QString line = typed;
    line.replace(u"\r\n"_s, u" "_s);
    for (QChar &character : line) {
        if (character == u'\n' || character == u'\r' || character == u'\v' || character == u'\f'
            || character == QChar::LineSeparator || character == QChar::ParagraphSeparator || character == u'\u0085')
            character = u' ';
    }
    return line.trimmed();
}

QStringList parse(const QString &stored)
{
    return stored.split(u'\n', Qt::SkipEmptyParts).mid(0, maximumTerms);
}

QString join(const QStringList &terms)
{
    return terms.join(u'\n');
}

QStringList remember(QStringList terms, const QString &searched)
{
    // Stored one to a line: a term of several lines would come back as several terms.
    const QString line = term(searched);
    if (line.size() < 2)
        return terms;
    terms.removeIf([&line](const QString &entry) { return entry.compare(line, Qt::CaseInsensitive) == 0; });
    terms.prepend(line);
    return terms.mid(0, maximumTerms);
}

} // namespace RecentSearches
