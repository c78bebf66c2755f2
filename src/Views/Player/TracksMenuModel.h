#pragma once

#include "Playback/PlayerController.h"

#include <QAbstractListModel>
#include <QList>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The entries of the player's tracks menu, read from the player whenever it reports a change:
// the audio tracks (when there are two or more), the subtitles with "Off", the picture's fit, the
// playback speeds (not for live channels) and the stream's picture size and container.
class TracksMenuModel : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Each player view makes its own tracks menu.")

public:
    enum class EntryKind { Header, Choice, Info };
    Q_ENUM(EntryKind)

    enum Role { KindRole = Qt::UserRole + 1, TextRole, CheckedRole, IconRole };
    Q_ENUM(Role)

    struct Entry
    {
        enum class Action { None, Audio, SubtitlesOff, Subtitle, Picture, Speed };

        EntryKind kind = EntryKind::Header;
        QString text;
        bool checked = false;
        QString icon;
        Action action = Action::None;
        QString trackID;
        double rate = 1;
    };

    using QAbstractListModel::QAbstractListModel;

    // The player to read and drive; none empties the menu. Speeds are offered only when asked; the
    // stream's facts name the container extension, or "STREAM" without one.
    void setPlayer(PlayerController *player, bool offersSpeeds, const QString &containerExtension = {});

    [[nodiscard]] int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;
    [[nodiscard]] const QList<Entry> &entries() const { return m_entries; }

    // Reads the player again (the menu does so as it opens: the picture size has no report).
    Q_INVOKABLE void refresh();
    Q_INVOKABLE void choose(int row);

private:
    [[nodiscard]] QList<Entry> readEntries() const;

    QPointer<PlayerController> m_player;
    QList<QMetaObject::Connection> m_connections;
    bool m_offersSpeeds = false;
    QString m_containerExtension;
    QList<Entry> m_entries;
};
