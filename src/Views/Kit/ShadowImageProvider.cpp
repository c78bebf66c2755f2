#include "ShadowImageProvider.h"

#include "ImageBlur.h"

#include <QPainter>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Keeps addresses from asking for absurd images.
constexpr int largestRadius = 256;

} // namespace

ShadowImageProvider::ShadowImageProvider()
    : QQuickImageProvider(QQuickImageProvider::Image)
{
}

QString ShadowImageProvider::source(int radius, int blur, const QColor &colour)
{
    return u"image://"_s + providerId.toString() + u'/' + QString::number(radius) + u'/' + QString::number(blur)
        + u'/' + QString::number(colour.rgba(), 16).rightJustified(8, u'0');
}

int ShadowImageProvider::outset(int blur)
{
    return std::max(blur, 0);
}

int ShadowImageProvider::border(int radius, int blur)
{
    // Outside the panel the shadow fades over `blur` pixels, inside its edge over as many again,
    // and the corner's curve lies between.
    return std::max(radius, 0) + 2 * outset(blur) + 1;
}

QImage ShadowImageProvider::patch(int radius, int blur, const QColor &colour)
{
    radius = std::clamp(radius, 0, largestRadius);
    blur = std::clamp(blur, 0, largestRadius);
    const int side = 2 * border(radius, blur) + 1;
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        const qreal inset = outset(blur);
        painter.drawRoundedRect(QRectF(inset, inset, side - 2 * inset, side - 2 * inset), radius, radius);
    }
    return ImageBlur::blurred(image, blur);
}

QImage ShadowImageProvider::requestImage(const QString &id, QSize *size, const QSize &)
{
    const QStringList parts = id.split(u'/');
    bool radiusOk = false;
    bool blurOk = false;
    bool colourOk = false;
    const int radius = parts.value(0).toInt(&radiusOk);
    const int blur = parts.value(1).toInt(&blurOk);
    const QRgb colour = parts.value(2).toUInt(&colourOk, 16);
    if (parts.size() != 3 || !radiusOk || !blurOk || !colourOk)
        return QImage();
    QImage image = patch(radius, blur, QColor::fromRgba(colour));
    if (size)
        *size = image.size();
    return image;
}
