#include "GuideLaneView.h"

#include "Views/Kit/Fonts.h"
#include "Views/Kit/Palette.h"

#include <QFontMetricsF>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {

const QFont &titleFont(bool current)
{
    static const QFont semibold = Fonts::interface(12.5, 600);
    static const QFont medium = Fonts::interface(12.5, 500);
    return current ? semibold : medium;
}

const QFont &timeFont()
{
    static const QFont regular = Fonts::interface(11);
    return regular;
}

const QFont &messageFont()
{
    static const QFont caption = Fonts::interface(12);
    return caption;
}

QColor withOpacity(QColor colour, double opacity)
{
    colour.setAlphaF(float(colour.alphaF() * opacity));
    return colour;
}

// The colour with white laid over it at 8 %, as the hover lightens a cell.
QColor lightened(const QColor &colour)
{
    const auto over = [](float channel) { return channel + (1.0f - channel) * 0.08f; };
    return QColor::fromRgbF(over(colour.redF()), over(colour.greenF()), over(colour.blueF()), colour.alphaF());
}

// A cell's rounded fill with its edge line, drawn once per look and then stretched between its
// corners to any size: far cheaper than filling a rounded shape for every cell of every frame.
const QImage &cellPicture(const QColor &fill, const QColor &line)
{
    static QHash<QPair<QRgb, QRgb>, QImage> pictures;
    const auto key = qMakePair(fill.rgba(), line.rgba());
    auto found = pictures.find(key);
    if (found == pictures.end()) {
        QImage picture(QSize(24, 24), QImage::Format_ARGB32_Premultiplied);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(line, 1));
        painter.setBrush(fill);
        // The line lies inside the edge.
        painter.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 7.5, 7.5);
        painter.end();
        found = pictures.insert(key, picture);
    }
    return *found;
}

// Draws a cell's picture into `target`: its corners as they are, its edges and middle as fills of
// their colours. Plain copies and fills only, since a scaled image costs far more to draw.
void drawCell(QPainter *painter, const QRect &target, const QImage &picture)
{
    constexpr int corner = 8;
    const int right = picture.width() - corner;
    const int bottom = picture.height() - corner;
    const int middle = picture.width() / 2;
    if (target.width() < 2 * corner || target.height() < 2 * corner) {
        painter->fillRect(target, picture.pixelColor(middle, middle));
        return;
    }
    const int innerWidth = target.width() - 2 * corner;
    const int innerHeight = target.height() - 2 * corner;
    const int x = target.left();
    const int y = target.top();
    const int farX = target.right() - corner + 1;
    const int farY = target.bottom() - corner + 1;
    // Corners.
    painter->drawImage(QPoint(x, y), picture, QRect(0, 0, corner, corner));
    painter->drawImage(QPoint(farX, y), picture, QRect(right, 0, corner, corner));
    painter->drawImage(QPoint(x, farY), picture, QRect(0, bottom, corner, corner));
    painter->drawImage(QPoint(farX, farY), picture, QRect(right, bottom, corner, corner));
    // The middle, then the edge lines over its sides.
    painter->fillRect(QRect(x + corner, y, innerWidth, target.height()), picture.pixelColor(middle, middle));
    painter->fillRect(QRect(x, y + corner, corner, innerHeight), picture.pixelColor(middle, middle));
    painter->fillRect(QRect(farX, y + corner, corner, innerHeight), picture.pixelColor(middle, middle));
    painter->fillRect(QRect(x + corner, y, innerWidth, 1), picture.pixelColor(middle, 0));
    painter->fillRect(QRect(x + corner, target.bottom(), innerWidth, 1), picture.pixelColor(middle, picture.height() - 1));
    painter->fillRect(QRect(x, y + corner, 1, innerHeight), picture.pixelColor(0, middle));
    painter->fillRect(QRect(target.right(), y + corner, 1, innerHeight), picture.pixelColor(picture.width() - 1, middle));
}

QStaticText laidOut(const QString &text, const QFont &font, double width)
{
    QStaticText laid(QFontMetricsF(font).elidedText(text, Qt::ElideRight, std::max(0.0, width)));
    laid.setTextFormat(Qt::PlainText);
    laid.prepare(QTransform(), font);
    return laid;
}

} // namespace

GuideLaneView::GuideLaneView(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{
    setAcceptHoverEvents(true);
    setAcceptedMouseButtons(Qt::LeftButton);
    setAntialiasing(true);
}

void GuideLaneView::setLane(GuideLane *lane)
{
    if (lane == m_lane)
        return;
    if (m_lane)
        disconnect(m_lane, nullptr, this, nullptr);
    m_lane = lane;
    if (m_lane) {
        const auto redraw = [this] {
            setHovered(-1);
            m_pressed = -1;
            update();
        };
        connect(m_lane, &QAbstractItemModel::rowsInserted, this, redraw);
        connect(m_lane, &QAbstractItemModel::rowsRemoved, this, redraw);
        connect(m_lane, &QAbstractItemModel::modelReset, this, redraw);
        connect(m_lane, &QAbstractItemModel::dataChanged, this, [this] { update(); });
        connect(m_lane, &GuideLane::programmesChanged, this, [this] {
            m_texts.clear();
            update();
        });
    }
    Q_EMIT laneChanged();
    update();
}

QString GuideLaneView::hoveredTitle() const
{
    return m_lane && m_hovered >= 0 && m_hovered < m_lane->rowCount() ? m_lane->look(m_hovered).title : QString();
}

QRectF GuideLaneView::hoveredRect() const
{
    if (!m_lane || m_hovered < 0 || m_hovered >= m_lane->rowCount())
        return {};
    return cellRect(m_lane->look(m_hovered).geometry);
}

void GuideLaneView::paint(QPainter *painter)
{
    if (!m_lane)
        return;
    if (m_lane->noGuide()) {
        painter->setFont(messageFont());
        painter->setPen(Palette::text3);
        painter->drawText(QRectF(14, 0, width() - 14, height()), Qt::AlignLeft | Qt::AlignVCenter,
                          u"No guide information"_s);
        return;
    }
    for (int cell = 0; cell < m_lane->rowCount(); ++cell)
        paintCell(painter, cell);
}

QRectF GuideLaneView::cellRect(const GuideGeometry::Cell &geometry) const
{
    return {geometry.x, cellMargin, geometry.width, height() - 2 * cellMargin};
}

void GuideLaneView::paintCell(QPainter *painter, int cell)
{
    const GuideLane::CellLook look = m_lane->look(cell);
    const QRectF rect = cellRect(look.geometry);
    if (rect.right() < 0 || rect.left() > width())
        return;
    painter->save();
    // A press dims the cell; the pointer lightens it.
    painter->setOpacity(cell == m_pressed ? 0.8 : 1.0);
    QColor fill = look.current ? Palette::accentSoft : withOpacity(Palette::surface1, look.past ? 0.5 : 1.0);
    if (cell == m_hovered)
        fill = lightened(fill);
    const QImage &picture = cellPicture(fill, look.current ? withOpacity(Palette::accent, 0.35) : Palette::stroke);
    drawCell(painter, rect.toRect(), picture);

    const double textWidth = rect.width() - look.geometry.textInset - 6;
    const Texts &laid = texts(look, textWidth);
    const double titleHeight = QFontMetricsF(titleFont(look.current)).height();
    const double timeHeight = QFontMetricsF(timeFont()).height();
    const double top = rect.top() + (rect.height() - titleHeight - 3 - timeHeight) / 2;
    const double left = rect.left() + look.geometry.textInset;
    painter->setClipRect(rect);
    painter->setFont(titleFont(look.current));
    painter->setPen(look.past ? Palette::text3 : Palette::text1);
    painter->drawStaticText(QPointF(left, top), laid.title);
    painter->setFont(timeFont());
    painter->setPen(look.current ? Palette::accent : Palette::text3);
    painter->drawStaticText(QPointF(left, top + titleHeight + 3), laid.time);
    painter->restore();
}

const GuideLaneView::Texts &GuideLaneView::texts(const GuideLane::CellLook &look, double width)
{
    Texts &laid = m_texts[look.title + look.timeText];
    if (laid.width != width || laid.current != look.current || laid.past != look.past) {
        laid.width = width;
        laid.current = look.current;
        laid.past = look.past;
        laid.title = laidOut(look.title, titleFont(look.current), width);
        laid.time = laidOut(look.timeText, timeFont(), width);
    }
    return laid;
}

void GuideLaneView::setHovered(int cell)
{
    if (cell == m_hovered)
        return;
    m_hovered = cell;
    update();
    Q_EMIT hoveredChanged();
}

void GuideLaneView::hoverMoveEvent(QHoverEvent *event)
{
    const QPointF at = event->position();
    const bool inRow = at.y() >= cellMargin && at.y() < height() - cellMargin;
    setHovered(m_lane && inRow ? m_lane->cellAt(at.x()) : -1);
}

void GuideLaneView::hoverLeaveEvent(QHoverEvent *)
{
    setHovered(-1);
}

void GuideLaneView::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = event->position();
    const bool inRow = at.y() >= cellMargin && at.y() < height() - cellMargin;
    m_pressed = m_lane && inRow ? m_lane->cellAt(at.x()) : -1;
    if (m_pressed < 0) {
        event->ignore();
        return;
    }
    update();
}

void GuideLaneView::mouseReleaseEvent(QMouseEvent *event)
{
    const int pressed = std::exchange(m_pressed, -1);
    update();
    const QPointF at = event->position();
    const bool inRow = at.y() >= cellMargin && at.y() < height() - cellMargin;
    // A click counts when it ends on the cell it began on.
    if (m_lane && pressed >= 0 && inRow && m_lane->cellAt(at.x()) == pressed)
        m_lane->open(pressed);
}

void GuideLaneView::mouseUngrabEvent()
{
    m_pressed = -1;
    update();
}
