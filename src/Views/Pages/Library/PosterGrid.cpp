#include "PosterGrid.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace PosterGrid {

int posterWidth(const QString &posterSize)
{
    if (posterSize == u"small"_s)
        return 138;
    if (posterSize == u"large"_s)
        return 196;
    return 164;
}

Columns columns(double availableWidth, int posterWidth)
{
    const double inner = availableWidth - horizontalPadding;
    const int count = std::max(2, int(std::trunc((inner + columnSpacing) / (posterWidth + columnSpacing))));
    // A window too narrow for two cards still gets two, shrunk to fit (never below nothing).
    const int cardWidth = std::max(0, int(std::floor((inner - (count - 1) * columnSpacing) / count)));
    return {count, cardWidth};
}

} // namespace PosterGrid
