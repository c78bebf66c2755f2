#pragma once

#include "Catalogue/CatalogueModels.h"
#include "GuideGeometry.h"
#include "GuidePageModel.h"
#include "OrderedKeyListModel.h"

#include <QPointer>
#include <QtQml/qqmlregistration.h>

// The programme cells of one guide row: the shown day's programmes of the row's channel that
// overlap the visible window, each with its place and look. Made by each row the grid shows, so
// only rows on screen have cells; the row's programmes are read once per day into the guide's
// cache, and moving the time line only filters them again.
class GuideLane : public OrderedKeyListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(GuidePageModel *page READ page WRITE setPage NOTIFY pageChanged)
    Q_PROPERTY(int row READ row WRITE setRow NOTIFY rowChanged)
    // Read, and the channel has nothing on the shown day.
    Q_PROPERTY(bool noGuide READ noGuide NOTIFY programmesChanged)

public:
    enum Role {
        TitleRole = Qt::UserRole + 1,
        TimeRole,
        CellXRole,
        CellWidthRole,
        TextInsetRole,
        CurrentRole,
        PastRole,
    };

    explicit GuideLane(QObject *parent = nullptr);
    ~GuideLane() override;

    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    [[nodiscard]] GuidePageModel *page() const { return m_page; }
    void setPage(GuidePageModel *page);
    // The channel's row in the guide.
    [[nodiscard]] int row() const { return m_row; }
    void setRow(int row);
    [[nodiscard]] bool noGuide() const { return m_loaded && m_slots.isEmpty(); }

    // A click on a cell: the page opens the programme's sheet.
    Q_INVOKABLE void open(int cell);

    // What a view draws of one cell, by row.
    struct CellLook
    {
        GuideGeometry::Cell geometry;
        QString title;
        QString timeText;
        bool current = false;
        bool past = false;
    };
    [[nodiscard]] CellLook look(int cell) const;
    // The cell under a point of the lane (x from its left edge), or -1.
    [[nodiscard]] int cellAt(double x) const;

Q_SIGNALS:
    void pageChanged();
    void rowChanged();
    void programmesChanged();

private:
    // A programme with its times as minutes of the shown day and in milliseconds, worked out once
    // when the list arrives, so that moving the window only compares numbers.
    struct Slot
    {
        GuideProgramme programme;
        double startMinute = 0;
        double endMinute = 0;
        qint64 startMs = 0;
        qint64 endMs = 0;
        // Made when a cell first shows it.
        mutable QString timeText;
    };

    // Follows the page's day and the row's channel.
    void bind();
    void release();
    void takeFromCache();
    void updateCells();
    [[nodiscard]] const Slot &slotAt(int cell) const;
    [[nodiscard]] GuideGeometry::Cell geometry(int cell) const;

    QPointer<GuidePageModel> m_page;
    int m_row = -1;
    MediaItem m_channel;
    QString m_cacheKey;
    bool m_loaded = false;
    QList<GuideProgramme> m_programmes;
    QList<Slot> m_slots;
};
