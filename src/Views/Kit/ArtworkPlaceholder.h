#pragma once

#include <QColor>
#include <QString>
#include <QStringView>

#include <array>
#include <utility>

// The picture an artwork view shows until, or instead of, the real one: a diagonal gradient
// chosen from the title and the title's initials. The same title always looks the same.
namespace ArtworkPlaceholder {

inline constexpr int paletteSize = 6;

// The djb2 hash of the title's UTF-8 bytes (wrapping at 64 bits), modulo the palette size.
[[nodiscard]] int paletteIndex(QStringView title);
// The gradient's top-leading and bottom-trailing colours of a palette entry.
[[nodiscard]] std::pair<QColor, QColor> colours(int index);
// Up to two initials in capitals, from the first two words once a leading country tag ("UK: ",
// "[FR] | ") and every bracketed part are gone; a bullet when nothing is left.
[[nodiscard]] QString initials(const QString &title);

} // namespace ArtworkPlaceholder
