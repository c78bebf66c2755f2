#pragma once

#include <QFont>
#include <QString>
#include <QStringView>

// Every font of the interface comes from here: the bundled Inter family for text and the bundled
// icon font for symbols. Sizes are logical pixels, as the design's points are.
namespace Fonts {

// Where the program's resources lie; the font files are in its "Fonts" folder.
inline constexpr QStringView bundleRoot = u":/Quillmere";
inline constexpr QStringView interfaceFamily = u"Inter";
// Drawn where Inter has no glyph, before the system's own fallbacks: the system would take a
// black-and-white symbol font for emoji. Other scripts (Chinese, Japanese, Korean, Arabic, ...)
// fall back to the system's fonts for them (Noto, installed with the program).
inline constexpr QStringView emojiFamily = u"Noto Color Emoji";
inline constexpr QStringView iconFamily = u"Material Icons";

// Registers the bundled font files once per process, before the first view is built. Quiet on
// failure: a missing or broken file leaves the system's substitute for its family.
void registerBundled();
// Registers the font files found in `root`'s "Fonts" folder, or else at `root` itself, and says
// how many it registered.
int registerFrom(const QString &root);

// Inter at `pixels` (fractions allowed) in a CSS weight (400 regular, 500 medium, 600 semibold,
// 700 bold), with `tracking` pixels added between letters; emoji in colour.
[[nodiscard]] QFont interface(qreal pixels, int weight = 400, qreal tracking = 0);
// The icon font at `pixels`.
[[nodiscard]] QFont icon(qreal pixels);

} // namespace Fonts
