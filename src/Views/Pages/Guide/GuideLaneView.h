#pragma once

#include "GuideLane.h"

#include <QHash>
#include <QPointer>
#include <QQuickPaintedItem>
#include <QRectF>
#include <QStaticText>
#include <QtQml/qqmlregistration.h>

// Draws the programme cells of one guide row and takes their clicks: a cell on air, over or to
// come, its title and times, lightened under the pointer and dimmed while pressed. One painted
// item a row rather than a few items a programme, since rows come and go with every frame of a
// scroll through thousands of channels; a picture of the row is kept until a cell changes.
class GuideLaneView : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(GuideLane *lane READ lane WRITE setLane NOTIFY laneChanged)
    // The title of the cell under the pointer and where that cell lies; empty without one.
    Q_PROPERTY(QString hoveredTitle READ hoveredTitle NOTIFY hoveredChanged)
    Q_PROPERTY(QRectF hoveredRect READ hoveredRect NOTIFY hoveredChanged)

public:
    explicit GuideLaneView(QQuickItem *parent = nullptr);

    [[nodiscard]] GuideLane *lane() const { return m_lane; }
    void setLane(GuideLane *lane);
    [[nodiscard]] QString hoveredTitle() const;
    [[nodiscard]] QRectF hoveredRect() const;

    void paint(QPainter *painter) override;

    // Cells stand 5 points clear of the row's top and bottom.
    static constexpr double cellMargin = 5;

Q_SIGNALS:
    void laneChanged();
    void hoveredChanged();

protected:
    void hoverMoveEvent(QHoverEvent *event) override;
    void hoverLeaveEvent(QHoverEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseUngrabEvent() override;

private:
    // Title and time laid out for one width, kept while the cell keeps it.
    struct Texts
    {
        double width = -1;
        bool current = false;
        bool past = false;
        QStaticText title;
        QStaticText time;
    };

    [[nodiscard]] QRectF cellRect(const GuideGeometry::Cell &geometry) const;
    void paintCell(QPainter *painter, int cell);
    [[nodiscard]] const Texts &texts(const GuideLane::CellLook &look, double width);
    void setHovered(int cell);

    QPointer<GuideLane> m_lane;
    int m_hovered = -1;
    int m_pressed = -1;
    QHash<QString, Texts> m_texts;
};
