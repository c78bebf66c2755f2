#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// How the artwork disk cache names, ages and sweeps its files. The directory listing, each
// file's size and its modification time (the moment its download was written) are the cache's
// whole state on disk: there is no index.
namespace ArtworkFiles {

// A file younger than this is used without asking the server.
inline constexpr qint64 freshSeconds = 604'800;
// The sweep removes the oldest files while the directory holds more than this.
inline constexpr qint64 byteBudget = 256LL * 1024 * 1024;

// The 64 lower-case hexadecimal digits of the SHA-256 of the address as it prints.
[[nodiscard]] QString key(const QUrl &address);
// The extension the file keeps: the address's path extension trimmed of anything but letters
// and digits at both ends, and only when what is left is plain (letters and digits with inner
// "-", "_" or ".", at most 16 characters, never ".."); "img" otherwise. The name is written into
// the cache directory, so nothing a server puts in its address may reach the file system.
[[nodiscard]] QString extension(const QUrl &address);
// "<key>.<extension>".
[[nodiscard]] QString fileName(const QUrl &address);

// Whether a file written at `modified` is still fresh at `now`: strictly younger than seven
// days; a time in the future counts as fresh, no time as stale.
[[nodiscard]] bool isFresh(const std::optional<QDateTime> &modified, const QDateTime &now);

struct Entry
{
    QString path;
    qint64 size = 0;
    QDateTime modified;
};

// The entries a sweep removes, oldest first: while the running sum of sizes is over the budget,
// and every entry more than seven days old. Each visited removal takes its size off the sum.
// Entries with equal times keep the order they were listed in.
[[nodiscard]] QStringList sweep(QList<Entry> entries, const QDateTime &now, qint64 budget = byteBudget);

// The cache files of `directory` (regular files, hidden ones included) with their sizes and
// times; a file whose time cannot be read is left out, so that no sweep removes it.
[[nodiscard]] QList<Entry> list(const QString &directory);

// Moves a finished download over the cache file in one step, so that readers see either the old
// copy or the new one, and a failed move leaves the old copy in place. The staged file is
// removed when the move fails.
[[nodiscard]] bool place(const QString &staged, const QString &destination);

} // namespace ArtworkFiles
