#pragma once

#include "Views/Kit/ArtworkFetch.h"

#include <QImage>
#include <QQuickPaintedItem>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

// The detail page's backdrop: the item's artwork filling the frame, blurred by `blurRadius`
// points with edges that fade out rather than smear, or the artwork's placeholder gradient while
// there is no picture. The blur is done on the image itself, once per picture and frame size,
// so that every renderer shows it.
class DetailBackdrop : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT

    // Where the picture is loaded through.
    Q_PROPERTY(ArtworkMemory *memory READ memory WRITE setMemory NOTIFY memoryChanged REQUIRED)
    Q_PROPERTY(QUrl url READ url WRITE setUrl NOTIFY urlChanged)
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(qreal blurRadius READ blurRadius WRITE setBlurRadius NOTIFY blurRadiusChanged)
    // Whether the picture (not the placeholder) is on show.
    Q_PROPERTY(bool shown READ isShown NOTIFY shownChanged)

public:
    // The largest picture asked of the artwork caches: a blurred picture needs few pixels.
    static constexpr int maxPixel = 300;

    explicit DetailBackdrop(QQuickItem *parent = nullptr);

    [[nodiscard]] ArtworkMemory *memory() const { return m_fetch.memory(); }
    void setMemory(ArtworkMemory *memory);
    [[nodiscard]] const QUrl &url() const { return m_url; }
    void setUrl(const QUrl &url);
    [[nodiscard]] const QString &title() const { return m_title; }
    void setTitle(const QString &title);
    [[nodiscard]] qreal blurRadius() const { return m_blurRadius; }
    void setBlurRadius(qreal radius);
    [[nodiscard]] bool isShown() const { return !m_image.isNull(); }

    // `source` cut to fill a frame of `frame` (centred, aspect kept) and blurred by `radius` in
    // the frame's units, with `margin` (in source pixels, returned) of transparent border around
    // it, into which the blur fades. Drawn at the frame grown by the margin, it covers the frame.
    [[nodiscard]] static QImage blurredFill(const QImage &source, QSizeF frame, qreal radius, qreal &margin);

    void paint(QPainter *painter) override;

Q_SIGNALS:
    void memoryChanged();
    void urlChanged();
    void titleChanged();
    void blurRadiusChanged();
    void shownChanged();

protected:
    void componentComplete() override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;

private:
    void restart();
    void setImage(const QImage &image);
    [[nodiscard]] QImage placeholder() const;

    QUrl m_url;
    QString m_title;
    qreal m_blurRadius = 60;
    QImage m_image;
    ArtworkFetch m_fetch;
    // The blurred picture of the current image and size, made on the first paint that needs it.
    QImage m_blurred;
    qreal m_margin = 0;
};
