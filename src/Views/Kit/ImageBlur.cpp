#include "ImageBlur.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// One box pass along a line of `count` pixels that lie `step` pixels apart, with a running sum
// per channel so that the cost does not grow with the box.
void boxPass(QRgb *line, int count, qsizetype step, int boxRadius, std::vector<QRgb> &scratch)
{
    scratch.resize(size_t(count));
    for (int i = 0; i < count; ++i)
        scratch[size_t(i)] = line[i * step];
    const auto at = [&](int i) { return scratch[size_t(std::clamp(i, 0, count - 1))]; };
    const int width = 2 * boxRadius + 1;
    std::array<int, 4> sum{};
    for (int i = -boxRadius; i <= boxRadius; ++i) {
        const QRgb pixel = at(i);
        sum[0] += qAlpha(pixel);
        sum[1] += qRed(pixel);
        sum[2] += qGreen(pixel);
        sum[3] += qBlue(pixel);
    }
    for (int i = 0; i < count; ++i) {
        line[i * step] = qRgba(sum[1] / width, sum[2] / width, sum[3] / width, sum[0] / width);
        const QRgb leaving = at(i - boxRadius);
        const QRgb entering = at(i + boxRadius + 1);
        sum[0] += qAlpha(entering) - qAlpha(leaving);
        sum[1] += qRed(entering) - qRed(leaving);
        sum[2] += qGreen(entering) - qGreen(leaving);
        sum[3] += qBlue(entering) - qBlue(leaving);
    }
}

} // namespace

QImage ImageBlur::blurred(const QImage &image, int radius)
{
    QImage result = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (radius < 1 || result.isNull())
        return result;
    const int boxRadius = std::max(1, (radius + 1) / 3);
    const qsizetype stride = result.bytesPerLine() / qsizetype(sizeof(QRgb));
    auto *pixels = reinterpret_cast<QRgb *>(result.bits());
    std::vector<QRgb> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < result.height(); ++y)
            boxPass(pixels + y * stride, result.width(), 1, boxRadius, scratch);
        for (int x = 0; x < result.width(); ++x)
            boxPass(pixels + x, result.height(), stride, boxRadius, scratch);
    }
    return result;
}
