import QtQuick
import Quillmere

// The playlist switcher's menu: the playlists to switch to, the refreshes of the active one and
// the way to the playlists page.
QMMenu {
    id: root

    required property PlaylistSwitcherModel switcher

    // Switches once the entry's own handling has ended: the switch rebuilds these entries.
    function switchLater(playlistID: var): void {
        switching.playlistID = playlistID;
        switching.restart();
    }

    objectName: "switcherMenu"

    Timer {
        id: switching

        property var playlistID

        interval: 0
        onTriggered: root.switcher.select(switching.playlistID)
    }

    QMMenuTitle {
        visible: root.switcher.playlists.length > 0
        text: "Switch playlist"
    }

    Instantiator {
        model: root.switcher.playlists

        delegate: QMMenuItem {
            id: playlistItem

            required property var modelData

            objectName: "switchTo-" + playlistItem.modelData.name
            text: playlistItem.modelData.name
            symbol: playlistItem.modelData.active ? "checkmark" : ""
            onTriggered: (playlistItem.menu as PlaylistSwitcherMenu).switchLater(playlistItem.modelData.id)
        }

        // After the section's title.
        onObjectAdded: (index, object) => root.insertItem(index + 1, object)
        onObjectRemoved: (index, object) => root.removeItem(object)
    }

    QMMenuSeparator {
        visible: root.switcher.playlists.length > 0
    }

    QMMenuItem {
        objectName: "refreshPlaylist"
        visible: root.switcher.hasActive
        enabled: !root.switcher.refreshing
        text: "Refresh playlist"
        symbol: "arrow.clockwise"
        onTriggered: root.switcher.refresh()
    }

    QMMenuItem {
        objectName: "refreshGuide"
        visible: root.switcher.hasActive
        enabled: !root.switcher.refreshing
        text: "Refresh TV guide"
        symbol: "calendar.badge.clock"
        onTriggered: root.switcher.refreshGuide()
    }

    QMMenuItem {
        objectName: "cancelRefresh"
        visible: root.switcher.hasActive && root.switcher.refreshing
        text: "Cancel refresh"
        symbol: "xmark"
        onTriggered: root.switcher.cancelRefresh()
    }

    QMMenuSeparator {
        visible: root.switcher.hasActive
    }

    QMMenuItem {
        objectName: "managePlaylists"
        text: "Manage playlists…"
        symbol: "list.bullet.rectangle"
        onTriggered: root.switcher.manage()
    }
}
