#pragma once

#include <QColor>
#include <QImage>
#include <QQuickImageProvider>
#include <QString>
#include <QStringView>

// Soft shadows of rounded panels as nine-patch images: a rounded rectangle blurred once in C++,
// whose corners a BorderImage keeps and whose middle it stretches. The engine caches each image
// by its address, so panels of one look share one image.
class ShadowImageProvider final : public QQuickImageProvider
{
public:
    static constexpr QStringView providerId = u"qmshadow";

    ShadowImageProvider();

    // "image://qmshadow/<radius>/<blur>/<AARRGGBB>"
    [[nodiscard]] static QString source(int radius, int blur, const QColor &colour);
    // How far the shadow reaches beyond the panel on each side.
    [[nodiscard]] static int outset(int blur);
    // The width of the nine-patch's fixed edges.
    [[nodiscard]] static int border(int radius, int blur);
    // The nine-patch image itself.
    [[nodiscard]] static QImage patch(int radius, int blur, const QColor &colour);

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;
};
