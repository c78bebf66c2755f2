#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QString>

// A picture of parts in their states for a person to look at: captioned rows of captioned
// cells, saved as "gallery-<part>.png" beside the test program in the build folder (never in
// the folder a test happens to be started from, which may be the source tree).
class GallerySheet final
{
public:
    explicit GallerySheet(QColor background = QColor(5, 8, 15));

    // Starts a new row under the previous one.
    void addRow(const QString &caption);
    // Adds a cell to the current row.
    void add(const QString &caption, const QImage &cell);

    [[nodiscard]] QImage image() const;
    // Writes the picture and says where; empty when it could not be written.
    [[nodiscard]] QString save(const QString &part) const;
    // Writes any picture for a look as "gallery-<part>.png" where the sheets go.
    [[nodiscard]] static QString save(const QImage &picture, const QString &part);

private:
    struct Cell
    {
        QString caption;
        QImage image;
    };
    struct Row
    {
        QString caption;
        QList<Cell> cells;
    };

    QColor m_background;
    QList<Row> m_rows;
};
