#include "ArtworkFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>
#include <system_error>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype longestExtension = 16;

bool isAsciiLetterOrDigit(QChar character)
{
    const char16_t code = character.unicode();
    return (code >= u'a' && code <= u'z') || (code >= u'A' && code <= u'Z') || (code >= u'0' && code <= u'9');
}

bool isInnerMark(QChar character)
{
    return character == u'-' || character == u'_' || character == u'.';
}

// Ages are compared in milliseconds, so that a file one millisecond short of seven days is
// still fresh.
constexpr qint64 freshMs = ArtworkFiles::freshSeconds * 1000;

} // namespace

namespace ArtworkFiles {

QString key(const QUrl &address)
{
    return QString::fromLatin1(QCryptographicHash::hash(address.toEncoded(), QCryptographicHash::Sha256).toHex());
}

QString extension(const QUrl &address)
{
    const QString name = address.fileName(QUrl::FullyDecoded);
    const qsizetype dot = name.lastIndexOf(u'.');
    QStringView candidate = dot < 0 ? QStringView() : QStringView(name).mid(dot + 1);
    while (!candidate.isEmpty() && !isAsciiLetterOrDigit(candidate.front()))
        candidate = candidate.mid(1);
    while (!candidate.isEmpty() && !isAsciiLetterOrDigit(candidate.back()))
        candidate.chop(1);
    const bool plain = !candidate.isEmpty() && candidate.size() <= longestExtension && !candidate.contains(u".."_s)
        && std::all_of(candidate.begin(), candidate.end(),
                       [](QChar character) { return isAsciiLetterOrDigit(character) || isInnerMark(character); });
    return plain ? candidate.toString() : u"img"_s;
}

QString fileName(const QUrl &address)
{
    return key(address) + u'.' + extension(address);
}

bool isFresh(const std::optional<QDateTime> &modified, const QDateTime &now)
{
    return modified && modified->msecsTo(now) < freshMs;
}

QStringList sweep(QList<Entry> entries, const QDateTime &now, qint64 budget)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry &a, const Entry &b) { return a.modified < b.modified; });
    qint64 total = 0;
    for (const Entry &entry : std::as_const(entries))
        total += entry.size;
    QStringList removed;
    for (const Entry &entry : std::as_const(entries)) {
        if (total > budget || entry.modified.msecsTo(now) > freshMs) {
            removed.append(entry.path);
            total -= entry.size;
        }
    }
    return removed;
}

QList<Entry> list(const QString &directory)
{
    QList<Entry> entries;
    const QFileInfoList infos =
        QDir(directory).entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QFileInfo &info : infos) {
        const QDateTime modified = info.lastModified();
        if (modified.isValid())
            entries.append({info.filePath(), info.size(), modified});
    }
    return entries;
}

bool place(const QString &staged, const QString &destination)
{
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(staged).toStdString(), QFile::encodeName(destination).toStdString(),
                            error);
    if (!error)
        return true;
    QFile::remove(staged);
    return false;
}

} // namespace ArtworkFiles
