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

    PlaylistSwitcherMenu {
        id: menu

        y: -menu.height - 6
        switcher: switcher
    }
}
