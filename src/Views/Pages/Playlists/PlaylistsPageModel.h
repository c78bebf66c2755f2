#pragma once

#include "PlaylistCardListModel.h"

#include "Support/Job.h"
#include "Views/Shell/PageModel.h"

#include <QCoroTask>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>

class AppModel;
class CatalogueStore;
class Clock;

// The playlists page: one card a playlist with its health and running refresh, and what a card
// can do: make its playlist active, refresh its catalogue or guide, cancel, test the login and
// remove the playlist after a confirmation.
class PlaylistsPageModel : public PageModel
{
    Q_OBJECT
    Q_PROPERTY(PlaylistCardListModel *cards READ cards CONSTANT)
    // A playlist's removal awaits the user's confirmation.
    Q_PROPERTY(bool confirmingRemoval READ isConfirmingRemoval NOTIFY removingChanged)
    Q_PROPERTY(QString removeTitle READ removeTitle NOTIFY removingChanged)
    QML_ELEMENT

public:
    using PageModel::PageModel;
    ~PlaylistsPageModel() override;

    [[nodiscard]] PlaylistCardListModel *cards() { return &m_cards; }

    [[nodiscard]] bool isConfirmingRemoval() const { return m_removing.has_value(); }
    // "Remove “<name>”?".
    [[nodiscard]] QString removeTitle() const;

    Q_INVOKABLE void use(qint64 playlistID);
    Q_INVOKABLE void refresh(qint64 playlistID);
    Q_INVOKABLE void refreshGuide(qint64 playlistID);
    Q_INVOKABLE void cancelRefresh(qint64 playlistID);
    Q_INVOKABLE void testConnection(qint64 playlistID);
    // Asks to confirm the removal.
    Q_INVOKABLE void askToRemove(qint64 playlistID);
    // The confirmation went away without "Remove playlist".
    Q_INVOKABLE void dismissRemove();
    // "Remove playlist": removes it, then says so (or why not).
    Q_INVOKABLE void removeConfirmed();

Q_SIGNALS:
    void removingChanged();

protected:
    void start(AppModel &app) override;

private:
    void updateCards();
    // Keeps the cards' "Updated 5 min ago" current while nothing else changes.
    static QCoro::Task<void> tick(QPointer<PlaylistsPageModel> self, Clock &clock, std::stop_token stop);
    [[nodiscard]] std::optional<Playlist> listed(qint64 playlistID) const;
    // The playlist when it is listed and no refresh, edit or removal of it runs.
    [[nodiscard]] std::optional<Playlist> idle(qint64 playlistID) const;
    static QCoro::Task<void> remove(QPointer<AppModel> app, Playlist playlist);
    void setRemoving(const std::optional<Playlist> &playlist);

    PlaylistCardListModel m_cards;
    std::optional<Playlist> m_removing;
    Job<void> m_ticker;
};
