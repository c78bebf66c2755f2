#include "VideoSiteAddresses.h"

#include "Support/WebAddress.h"

using namespace Qt::StringLiterals;

namespace VideoSiteAddresses {

QString base()
{
    return u"https://www.youtube.com"_s;
}

std::optional<QUrl> search(const QString &query)
{
    const QString term = query.trimmed();
    if (term.isEmpty())
        return std::nullopt;
    QUrl url(base() + u"/results"_s, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    // Every character outside the unreserved set is encoded, the delimiters of a query included;
    // QUrl keeps an encoded delimiter encoded.
    url.setQuery(u"search_query="_s + QString::fromLatin1(QUrl::toPercentEncoding(term)), QUrl::StrictMode);
    if (!isWebAddress(url))
        return std::nullopt;
    return url;
}

bool canSearch(const QString &query)
{
    for (const QChar character : query) {
        if (character != u' ' && character != u'\t')
            return true;
    }
    return false;
}

std::optional<QUrl> shortcut(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    if (!isWebAddress(url))
        return std::nullopt;
    return url;
}

} // namespace VideoSiteAddresses
