import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The card at the foot of the sidebar: the active playlist's initial, name and what it is doing.
// A click opens the menu that switches, refreshes and manages playlists. Collapsed, only the
// initial shows.
AbstractButton {
    id: root

    required property bool collapsed

    objectName: "playlistSwitcher"
    hoverEnabled: true
    padding: root.collapsed ? 4 : 8
    onClicked: menu.open()

    PlaylistSwitcherModel {
        id: switcher

        app: AppModel
    }

    contentItem: RowLayout {
        spacing: 10

        // Collapsed, the avatar sits in the middle of the strip.
        Item {
            Layout.fillWidth: true
            visible: root.collapsed
        }

        Rectangle {
            implicitWidth: 34
            implicitHeight: 34
            radius: 9
            antialiasing: true
            color: QM.accentSoft

            QMText {
                objectName: "switcherInitial"
                anchors.centerIn: parent
                text: switcher.initial
                font: QM.initial
                color: QM.accent
            }

            QMSpinner {
                objectName: "switcherSpinner"
                x: (parent.width - width) / 2 + 13
                y: (parent.height - height) / 2 + 13
                size: 11
                running: switcher.refreshing
                visible: switcher.refreshing
            }
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.minimumWidth: 0
            visible: !root.collapsed
            spacing: 2

            QMText {
                objectName: "switcherName"
                Layout.fillWidth: true
                text: switcher.name
                font: QM.itemTitle
                color: QM.text1
                elide: Text.ElideRight
                maximumLineCount: 1
            }

            QMText {
                objectName: "switcherStatus"
                Layout.fillWidth: true
                text: switcher.status
                font: QM.cardSubtitle
                color: QM.text3
                elide: Text.ElideRight
                maximumLineCount: 1
            }
        }

        Icon {
            visible: !root.collapsed
            symbol: "chevron.up.chevron.down"
            size: 10
            color: QM.text3
        }

        Item {
            Layout.fillWidth: true
            visible: root.collapsed
        }
    }

    background: Rectangle {
        radius: 10
        color: root.hovered ? QM.hover : "transparent"
    }

    QMMenu {
        id: menu

        objectName: "switcherMenu"
        y: -menu.height - 6

        QMMenuTitle {
            visible: switcher.playlists.length > 0
            text: "Switch playlist"
        }

        Instantiator {
            model: switcher.playlists

            delegate: QMMenuItem {
                id: playlistItem

                required property var modelData

                objectName: "switchTo-" + playlistItem.modelData.name
                text: playlistItem.modelData.name
                symbol: playlistItem.modelData.active ? "checkmark" : ""
                // After the menu has closed: the switch rebuilds these items.
                onTriggered: {
                    const id = playlistItem.modelData.id;
                    Qt.callLater(() => switcher.select(id));
                }
            }

            // After the section's title.
            onObjectAdded: (index, object) => menu.insertItem(index + 1, object)
            onObjectRemoved: (index, object) => menu.removeItem(object)
        }

        QMMenuSeparator {
            visible: switcher.playlists.length > 0
        }

        QMMenuItem {
            objectName: "refreshPlaylist"
            visible: switcher.hasActive
            enabled: !switcher.refreshing
            text: "Refresh playlist"
            symbol: "arrow.clockwise"
            onTriggered: switcher.refresh()
        }

        QMMenuItem {
            objectName: "refreshGuide"
            visible: switcher.hasActive
            enabled: !switcher.refreshing
            text: "Refresh TV guide"
            symbol: "calendar.badge.clock"
            onTriggered: switcher.refreshGuide()
        }

        QMMenuItem {
            objectName: "cancelRefresh"
            visible: switcher.hasActive && switcher.refreshing
            text: "Cancel refresh"
            symbol: "xmark"
            onTriggered: switcher.cancelRefresh()
        }

        QMMenuSeparator {
            visible: switcher.hasActive
        }

        QMMenuItem {
            objectName: "managePlaylists"
            text: "Manage playlists…"
            symbol: "list.bullet.rectangle"
            onTriggered: switcher.manage()
        }
    }
}
