#pragma once

#include "Catalogue/CatalogueModels.h"
#include "Views/Kit/ViewModel.h"

#include <QString>
#include <QVariantList>

#include <optional>

// The card at the bottom of the sidebar: the active playlist's initial, name and a one-line
// status (importing, updating its guide, failed, or ready with its number of titles), and the
// menu's actions: switch playlist, refresh, refresh the guide, cancel, manage playlists.
class PlaylistSwitcherModel : public ViewModel
{
    Q_OBJECT
    Q_PROPERTY(bool hasActive READ hasActive NOTIFY changed)
    Q_PROPERTY(QString initial READ initial NOTIFY changed)
    Q_PROPERTY(QString name READ name NOTIFY changed)
    Q_PROPERTY(QString status READ status NOTIFY changed)
    Q_PROPERTY(bool refreshing READ isRefreshing NOTIFY changed)
    // One entry a playlist, in the store's order: id, name and whether it is the active one.
    Q_PROPERTY(QVariantList playlists READ playlists NOTIFY changed)
    QML_ELEMENT

public:
    using ViewModel::ViewModel;

    [[nodiscard]] bool hasActive() const;
    [[nodiscard]] QString initial() const;
    [[nodiscard]] QString name() const;
    [[nodiscard]] QString status() const;
    [[nodiscard]] bool isRefreshing() const;
    [[nodiscard]] QVariantList playlists() const;

    // Makes the playlist the chosen one and says so, also when it already was.
    Q_INVOKABLE void select(qint64 playlistID);
    // The active playlist's catalogue import, guide refresh, or the cancellation of both.
    Q_INVOKABLE void refresh();
    Q_INVOKABLE void refreshGuide();
    Q_INVOKABLE void cancelRefresh();
    Q_INVOKABLE void manage();

    // The avatar's letter: the name's first character upper-cased, "+" for none.
    [[nodiscard]] static QString initialOf(const std::optional<QString> &name);
    // A title count as the card writes it: the number below 1000, else whole thousands and "k".
    [[nodiscard]] static QString titleCount(qint64 count);
    // The status line for the active playlist, first match wins: no playlist, the running
    // import's step (with its progress from 1 to 99 %), a running guide refresh, a failed
    // refresh, else ready with the title count.
    [[nodiscard]] static QString statusText(const std::optional<Playlist> &active, const std::optional<QString> &activity,
                                            bool guideRefreshing, const CatalogueSnapshot &snapshot);

Q_SIGNALS:
    void changed();

protected:
    void start(AppModel &app) override;

private:
    [[nodiscard]] std::optional<Playlist> active() const;
};
