#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QAbstractListModel>
#include <QCoroTask>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

class PlayerViewModel;

Q_MOC_INCLUDE("Views/Player/PlayerViewModel.h")

// The channel list that slides over the player while a live channel plays: one row per channel of
// the zap list with its number, logo, title and programme on air, the playing channel marked and a
// highlight that the keyboard and the pointer move. A row's programme comes with the channel from
// the catalogue, or is read from the guide of the playing channel's playlist the first time the
// row is shown after the panel opened.
class PlayerChannelPanelModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(PlayerViewModel *player READ player WRITE setPlayer NOTIFY playerChanged)
    Q_PROPERTY(int count READ count NOTIFY opened)
    Q_PROPERTY(int playingRow READ playingRow NOTIFY opened)
    Q_PROPERTY(bool showNumbers READ showNumbers NOTIFY opened)
    Q_PROPERTY(int highlightedRow READ highlightedRow NOTIFY highlightedChanged)

public:
    enum Role {
        ProviderIdRole = Qt::UserRole + 1,
        NumberRole,
        TitleRole,
        NameRole,
        ArtworkUrlRole,
        PlayingRole,
        HighlightedRole,
        HasProgrammeRole,
        ProgrammeTitleRole,
        ProgrammeProgressRole,
    };
    Q_ENUM(Role)

    using QAbstractListModel::QAbstractListModel;

    [[nodiscard]] PlayerViewModel *player() const { return m_player; }
    void setPlayer(PlayerViewModel *player);
    [[nodiscard]] int count() const { return int(m_channels.size()); }
    [[nodiscard]] int playingRow() const;
    [[nodiscard]] bool showNumbers() const { return m_showNumbers; }
    // The first row of the highlighted channel; -1 without a highlight or when no row has it.
    [[nodiscard]] int highlightedRow() const;
    [[nodiscard]] const std::optional<QString> &highlighted() const { return m_highlighted; }
    // The programme a row shows: the one read for its guide key, else the channel's own.
    [[nodiscard]] std::optional<NowProgramme> programme(int row) const;

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    // The panel opened: its rows are the player's channels as they are now, the playing channel
    // is highlighted, and programmes read before are forgotten.
    Q_INVOKABLE void open();
    // Moves the highlight by rows, from the highlighted row (the first without one) and within
    // the list.
    Q_INVOKABLE void move(int delta);
    Q_INVOKABLE void hover(int row);
    // A row came into view: its programme is read unless it has one.
    Q_INVOKABLE void rowShown(int row);
    Q_INVOKABLE void activate(int row);
    // The panel's keys; true for those it handles.
    Q_INVOKABLE bool handleKey(int key);

Q_SIGNALS:
    void playerChanged();
    void opened();
    void highlightedChanged();

private:
    static QCoro::Task<> loadNow(QPointer<PlayerChannelPanelModel> self, QString epgKey);
    void storeNow(const QString &epgKey, const NowProgramme &programme);
    void setHighlighted(const std::optional<QString> &providerID);
    void emitRowsChanged(const std::function<bool(const MediaItem &)> &affected, const QList<int> &roles);

    QPointer<PlayerViewModel> m_player;
    QList<MediaItem> m_channels;
    QString m_playingID;
    bool m_showNumbers = true;
    std::optional<QString> m_highlighted;
    QHash<QString, NowProgramme> m_nowTitles;
    // Guide keys whose read is under way, so that rows sharing a key ask once.
    QSet<QString> m_reading;
};
