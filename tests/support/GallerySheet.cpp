#include "GallerySheet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int gap = 16;
constexpr int captionHeight = 18;

QFont captionFont()
{
    QFont font(u"Inter"_s);
    font.setPixelSize(11);
    return font;
}

} // namespace

GallerySheet::GallerySheet(QColor background)
    : m_background(background)
{
}

void GallerySheet::addRow(const QString &caption)
{
    m_rows.append(Row{caption, {}});
}

void GallerySheet::add(const QString &caption, const QImage &cell)
{
    if (m_rows.isEmpty())
        addRow(QString());
    m_rows.last().cells.append(Cell{caption, cell});
}

QImage GallerySheet::image() const
{
    const QFontMetrics metrics(captionFont());
    int width = 0;
    int height = gap;
    for (const Row &row : m_rows) {
        int rowWidth = gap;
        int rowHeight = 0;
        for (const Cell &cell : row.cells) {
            rowWidth += std::max(cell.image.width(), metrics.horizontalAdvance(cell.caption)) + gap;
            rowHeight = std::max(rowHeight, cell.image.height());
        }
        width = std::max({width, rowWidth, metrics.horizontalAdvance(row.caption) + 2 * gap});
        height += captionHeight + captionHeight + rowHeight + gap;
    }
    QImage sheet(std::max(width, 1), height, QImage::Format_RGB32);
    sheet.fill(m_background);
    QPainter painter(&sheet);
    painter.setFont(captionFont());
    int y = gap;
    for (const Row &row : m_rows) {
        painter.setPen(QColor(243, 246, 251));
        painter.drawText(QRect(gap, y, width, captionHeight), Qt::AlignLeft | Qt::AlignVCenter, row.caption);
        y += captionHeight;
        int x = gap;
        int rowHeight = 0;
        for (const Cell &cell : row.cells) {
            painter.setPen(QColor(108, 120, 145));
            painter.drawText(QRect(x, y, width, captionHeight), Qt::AlignLeft | Qt::AlignVCenter, cell.caption);
            painter.drawImage(QPoint(x, y + captionHeight), cell.image);
            x += std::max(cell.image.width(), metrics.horizontalAdvance(cell.caption)) + gap;
            rowHeight = std::max(rowHeight, cell.image.height());
        }
        y += captionHeight + rowHeight + gap;
    }
    return sheet;
}

QString GallerySheet::save(const QString &part) const
{
    return save(image(), part);
}

QString GallerySheet::save(const QImage &picture, const QString &part)
{
    const QString path = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(u"gallery-"_s + part + u".png"_s);
    return picture.save(path) ? path : QString();
}
