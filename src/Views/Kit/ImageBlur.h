#pragma once

#include <QImage>

// A blur done on the image itself, so that it shows under every scene-graph renderer,
// the software one of headless screenshots included.
namespace ImageBlur {

// The image blurred so that each pixel spreads about `radius` pixels (three box passes, close to
// a Gaussian), in premultiplied ARGB32. Pixels beyond the border count as the border's own.
[[nodiscard]] QImage blurred(const QImage &image, int radius);

} // namespace ImageBlur
