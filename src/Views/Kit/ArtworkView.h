#pragma once

#include "ArtworkFetch.h"
#include "ArtworkPainting.h"

#include <QColor>
#include <QCoroTask>
#include <QImage>
#include <QPointer>
#include <QQuickItem>
#include <QUrl>
#include <QVariantAnimation>
#include <QtQml/qqmlregistration.h>

// One picture from an address, loaded through the artwork memory it is handed: `Artwork {
// memory: ArtworkMemory; url: item.artworkURL; title: item.title; contentMode: Artwork.Fill;
// maxPixel: 352; fallbackFont: 25.6; logoPadding: 0; radius: 12 }`. Until the picture is there,
// and when there is none, it shows a gradient chosen from the title with the title's initials.
// Corners are rounded on the picture itself, so that every renderer shows them, and an `outline`
// colour draws a hairline along the rounded edge inside the view, over both. `smooth` (on by
// default) filters the pictures wherever the view is drawn scaled.
// A new address starts a new load; a picture already in memory shows at once, a loaded one
// fades in. Placeholder and picture are painted at the view's size into pictures that the scene
// draws as they are, so that the fade only blends what was painted; the picture is fitted on a
// worker thread, since a grid scrolled fast makes new cards with every frame. A picture from
// memory whose fitted copy is not kept shows unfitted meanwhile (square corners, no outline).
class ArtworkView : public QQuickItem
{
    Q_OBJECT
    QML_NAMED_ELEMENT(Artwork)

    Q_PROPERTY(ArtworkMemory *memory READ memory WRITE setMemory NOTIFY memoryChanged REQUIRED)
    Q_PROPERTY(QUrl url READ url WRITE setUrl NOTIFY urlChanged)
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(ContentMode contentMode READ contentMode WRITE setContentMode NOTIFY contentModeChanged)
    Q_PROPERTY(int maxPixel READ maxPixel WRITE setMaxPixel NOTIFY maxPixelChanged)
    Q_PROPERTY(qreal fallbackFont READ fallbackFont WRITE setFallbackFont NOTIFY fallbackFontChanged)
    Q_PROPERTY(qreal logoPadding READ logoPadding WRITE setLogoPadding NOTIFY logoPaddingChanged)
    Q_PROPERTY(qreal radius READ radius WRITE setRadius NOTIFY radiusChanged)
    Q_PROPERTY(QColor outline READ outline WRITE setOutline NOTIFY outlineChanged)
    // Whether the picture (not the placeholder) is on show.
    Q_PROPERTY(bool shown READ isShown NOTIFY shownChanged)

public:
    enum ContentMode { Fit, Fill };
    Q_ENUM(ContentMode)

    explicit ArtworkView(QQuickItem *parent = nullptr);
    ~ArtworkView() override;

    [[nodiscard]] ArtworkMemory *memory() const { return m_fetch.memory(); }
    void setMemory(ArtworkMemory *memory);
    [[nodiscard]] const QUrl &url() const { return m_url; }
    void setUrl(const QUrl &url);
    [[nodiscard]] const QString &title() const { return m_title; }
    void setTitle(const QString &title);
    [[nodiscard]] ContentMode contentMode() const { return m_contentMode; }
    void setContentMode(ContentMode mode);
    [[nodiscard]] int maxPixel() const { return m_maxPixel; }
    void setMaxPixel(int maxPixel);
    [[nodiscard]] qreal fallbackFont() const { return m_fallbackFont; }
    void setFallbackFont(qreal size);
    [[nodiscard]] qreal logoPadding() const { return m_logoPadding; }
    void setLogoPadding(qreal padding);
    [[nodiscard]] qreal radius() const { return m_radius; }
    void setRadius(qreal radius);
    [[nodiscard]] const QColor &outline() const { return m_outline; }
    void setOutline(const QColor &outline);
    [[nodiscard]] bool isShown() const { return !m_pictureLayer.isNull(); }

    // Where a picture of `size` lies in `frame`: fitted inside it, or filling it and cut at its
    // edges, centred, with the aspect kept.
    [[nodiscard]] static QRectF placement(QSizeF size, const QRectF &frame, ContentMode mode);

    // A picture shown as it is until its fitted copy is ready: the part of the view it covers
    // and the part of the picture (in its pixels) drawn there. Empty for a fitted picture.
    struct Unfitted
    {
        QRectF target;
        QRectF source;
    };
    // The picture of `image` pixels placed at `placed` (placement()), cut to `frame`.
    [[nodiscard]] static Unfitted unfitted(QSizeF image, const QRectF &placed, const QRectF &frame);

Q_SIGNALS:
    void memoryChanged();
    void urlChanged();
    void titleChanged();
    void contentModeChanged();
    void maxPixelChanged();
    void fallbackFontChanged();
    void logoPaddingChanged();
    void radiusChanged();
    void outlineChanged();
    void shownChanged();

protected:
    void componentComplete() override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;
    void itemChange(ItemChange change, const ItemChangeData &value) override;
    void updatePolish() override;
    QSGNode *updatePaintNode(QSGNode *node, UpdatePaintNodeData *data) override;

private:
    // Shows the picture for the address, from memory at once or after a load.
    void restart();
    void setImage(const QImage &image, bool fade);
    [[nodiscard]] ArtworkPainting::Frame frame() const;
    // Fits the picture to the view: at once when it was fitted before, else on a worker.
    void fitPicture();
    static QCoro::Task<void> fitElsewhere(QPointer<ArtworkView> view, int request, QImage image,
                                          ArtworkPainting::Frame frame, QRectF placed);
    void showUnfitted(const QRectF &placed);
    void showPicture(const QImage &layer);
    // Shows the picture at `share` (0 to 1) over the placeholder at the rest.
    void blend(qreal share);
    // The layer's picture no longer matches the view: painted again before the next frame.
    void repaintPlaceholder();
    void repaintPicture();
    void repaintLayers();

    QUrl m_url;
    QString m_title;
    ContentMode m_contentMode = Fill;
    int m_maxPixel = 512;
    qreal m_fallbackFont = 22;
    qreal m_logoPadding = 0;
    qreal m_radius = 0;
    QColor m_outline = Qt::transparent;

    QImage m_image;
    // The picture's share of the blend, and the layers as painted for the scene; the placeholder
    // kept only while it shows.
    qreal m_share = 0;
    QImage m_placeholderLayer;
    QImage m_pictureLayer;
    Unfitted m_unfitted;
    bool m_placeholderStale = true;
    bool m_pictureStale = false;
    // Whether the picture fades in once fitted, and the latest fitting asked for.
    bool m_fadeIn = false;
    int m_fitting = 0;
    QVariantAnimation m_fade;
    ArtworkFetch m_fetch;
};
