#include "PlaybackURL.h"

#include "Support/WebAddress.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace PlaybackURL {

namespace {

constexpr QLatin1StringView apiPath = "/player_api.php"_L1;

QString extension(CatalogueKind kind, const std::optional<QString> &containerExtension, const QString &liveFormat)
{
    if (kind == CatalogueKind::Live)
        return liveFormat;
    QStringView trimmed = containerExtension ? QStringView(*containerExtension) : QStringView();
    const auto isPadding = [](QChar c) { return c == u' ' || c == u'.'; };
    while (!trimmed.isEmpty() && isPadding(trimmed.front()))
        trimmed = trimmed.sliced(1);
    while (!trimmed.isEmpty() && isPadding(trimmed.back()))
        trimmed.chop(1);
    return trimmed.isEmpty() ? u"mkv"_s : trimmed.toString().toLower();
}

// Letters, marks and digits of any script and "-._~" stay; every other character is written as
// its UTF-8 bytes in %XX form. Letters outside ASCII are escaped the same way when the address
// is written out.
QString encodedSegment(QStringView segment)
{
    QString result;
    result.reserve(segment.size());
    for (qsizetype at = 0; at < segment.size(); ++at) {
        const QChar unit = segment.at(at);
        char32_t codePoint = unit.unicode();
        qsizetype length = 1;
        if (unit.isSurrogate()) {
            if (!unit.isHighSurrogate() || at + 1 >= segment.size() || !segment.at(at + 1).isLowSurrogate())
                return QString(); // not text: no part of the address can be made of it
            codePoint = QChar::surrogateToUcs4(unit, segment.at(at + 1));
            length = 2;
        }
        const QStringView character = segment.sliced(at, length);
        if (QChar::isLetterOrNumber(codePoint) || QChar::isMark(codePoint) || QStringView(u"-._~").contains(unit)) {
            result.append(character);
        } else {
            static constexpr char16_t hexDigits[] = u"0123456789ABCDEF";
            for (const char byte : character.toUtf8()) {
                result += u'%';
                result += hexDigits[uchar(byte) >> 4];
                result += hexDigits[uchar(byte) & 0xF];
            }
        }
        at += length - 1;
    }
    return result;
}

} // namespace

std::optional<QUrl> make(const XtreamCredentials &credentials, const QString &providerID, CatalogueKind kind,
                         const std::optional<QString> &containerExtension, const QString &liveFormat)
{
    QUrl url = credentials.serverURL;
    if (!isWebAddress(url))
        return std::nullopt;

    QString basePath = url.path(QUrl::FullyEncoded);
    if (basePath.endsWith(apiPath, Qt::CaseInsensitive))
        basePath.chop(apiPath.size());
    while (basePath.endsWith(u'/'))
        basePath.chop(1);

    const QStringList segments = {
        encodedSegment(kindText(kind)),
        encodedSegment(credentials.username),
        encodedSegment(credentials.password),
        encodedSegment(QString(providerID + u'.' + extension(kind, containerExtension, liveFormat))),
    };
    url.setPath(basePath + u'/' + segments.join(u'/'), QUrl::TolerantMode);
    url.setQuery(QString());
    url.setFragment(QString());
    if (!url.isValid())
        return std::nullopt;
    return url;
}

bool isValidServer(const QString &text)
{
    const QUrl url(text.trimmed(), QUrl::StrictMode);
    // A login before the host ("user@", ":password@", even an empty "@") shows as "@" in the
    // authority; inside a login it would be escaped.
    return isWebAddress(url) && !url.authority(QUrl::FullyEncoded).contains(u'@');
}

} // namespace PlaybackURL
