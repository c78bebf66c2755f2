#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

struct CatalogueSnapshot;
struct LibraryEntry;

// The wording of the home page: its greeting, the summary line under it, the counts on its tiles
// and the line under each title the user can continue.
namespace HomeText {

// "Good morning" from 5 to 11 o'clock, "Good afternoon" from 12 to 17, else "Good evening".
[[nodiscard]] QString greeting(int hour);

// "Tuesday, 4 March  ·  Provider  ·  1,204 live · 310 movies · 42 series": the date, the active
// playlist's name when there is one, and the counts unless all three are 0.
[[nodiscard]] QString summary(const QDateTime &now, const std::optional<QString> &playlistName,
                              const CatalogueSnapshot &snapshot);

// "1,204 channels": the count and the noun, always in the plural.
[[nodiscard]] QString tileDetail(qint64 count, const QString &pluralNoun);

// "S2 E5 · 42m left": the episode's code (only "E5" for season 0) and the time left while the
// position is short of a known duration; empty with neither.
[[nodiscard]] QString resumeLine(const LibraryEntry &entry);

// How far the entry was watched, 0 to 1; none without a duration and a position of at least 1 s.
[[nodiscard]] std::optional<double> progress(const LibraryEntry &entry);

} // namespace HomeText
