#pragma once

#include <QString>

// How the films and series grid fills its width: as many columns of the chosen poster size as
// fit (never fewer than two), every card then widened or narrowed to share the row exactly.
namespace PosterGrid {

inline constexpr int columnSpacing = 22;
inline constexpr int rowSpacing = 26;
// Left and right padding of the grid, together.
inline constexpr int horizontalPadding = 64;

struct Columns
{
    int count = 2;
    int cardWidth = 0;

    friend bool operator==(const Columns &, const Columns &) = default;
};

// The card width a poster size asks for: "small" 138, "large" 196, anything else 164.
[[nodiscard]] int posterWidth(const QString &posterSize);

// The columns for a grid area `availableWidth` wide. A width of 1000 with 164-wide posters gives
// five columns of 169.
[[nodiscard]] Columns columns(double availableWidth, int posterWidth);

} // namespace PosterGrid
