import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// One playlist on the playlists page: its tile, name, badges and server, its health columns,
// the running refresh with its progress, and its actions.
Rectangle {
    id: root

    required property PlaylistsPageModel page
    required property var playlistID
    required property string name
    required property string initial
    required property string server
    required property bool active
    required property bool needsAttention
    required property bool refreshing
    required property bool importing
    required property string step
    required property int progress
    required property string progressText
    required property var stats

    signal editRequested()

    implicitHeight: column.implicitHeight + 44
    radius: 20
    antialiasing: true
    color: QM.surface1
    border.width: 1
    border.color: root.active ? QM.accentActive : QM.stroke

    ColumnLayout {
        id: column

        anchors.fill: parent
        anchors.margins: 22
        spacing: 18

        RowLayout {
            Layout.fillWidth: true
            spacing: 14

            Rectangle {
                Layout.preferredWidth: 50
                Layout.preferredHeight: 50
                radius: 13
                antialiasing: true
                color: QM.accentSoft

                QMText {
                    anchors.centerIn: parent
                    text: root.initial
                    font: QM.initialLarge
                    color: QM.accent
                }
            }

            ColumnLayout {
                Layout.fillWidth: true
                spacing: 4

                RowLayout {
                    Layout.fillWidth: true
                    spacing: 8

                    QMText {
                        objectName: "name"
                        // As wide as the name, but giving way (cut short) to what follows it when the row is
                        // too narrow: a width that is only preferred would push the buttons out of the row.
                        Layout.fillWidth: true
                        Layout.maximumWidth: Math.ceil(implicitWidth)
                        Layout.minimumWidth: 24
                        text: root.name
                        font: QM.h3
                        color: QM.text1
                        elide: Text.ElideRight
                    }

                    QMBadge {
                        objectName: "activeBadge"
                        visible: root.active
                        text: "ACTIVE"
                        color: QM.accent
                        fill: QM.accentSoft
                    }

                    QMBadge {
                        objectName: "attentionBadge"
                        visible: root.needsAttention
                        text: "NEEDS ATTENTION"
                        color: QM.danger
                        fill: QM.dangerSoft
                    }

                    Item {
                        Layout.fillWidth: true
                    }
                }

                QMText {
                    Layout.fillWidth: true
                    text: root.server
                    font: QM.caption
                    color: QM.text3
                    elide: Text.ElideRight
                }
            }

            QMButton {
                objectName: "use"
                visible: !root.active
                text: "Use this playlist"
                kind: QMButtonKind.Secondary
                compact: true
                onClicked: root.page.use(root.playlistID)
            }

            QMIconButton {
                id: menuButton

                objectName: "menuButton"
                symbol: "ellipsis"
                size: 32
                filled: true
                tint: QM.text2
                enabled: !root.refreshing
                onClicked: menu.popup(menuButton, 0, menuButton.height + 4)

                QMMenu {
                    id: menu

                    QMMenuItem {
                        objectName: "editLogin"
                        text: "Edit login\u2026"
                        symbol: "pencil"
                        onTriggered: root.editRequested()
                    }
                    QMMenuItem {
                        objectName: "testConnection"
                        text: "Test connection"
                        symbol: "network"
                        onTriggered: root.page.testConnection(root.playlistID)
                    }
                    QMMenuSeparator {}
                    QMMenuItem {
                        objectName: "remove"
                        text: "Remove\u2026"
                        symbol: "trash"
                        destructive: true
                        onTriggered: root.page.askToRemove(root.playlistID)
                    }
                }
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 0

            Repeater {
                model: root.stats

                PlaylistStat {
                    required property var modelData

                    Layout.fillWidth: true
                    Layout.preferredWidth: 1
                    Layout.alignment: Qt.AlignTop
                    Layout.rightMargin: 16
                    stat: modelData
                }
            }
        }

        PlaylistRefreshPanel {
            Layout.fillWidth: true
            visible: root.refreshing
            step: root.step
            importing: root.importing
            progress: root.progress
            progressText: root.progressText
            onCancelled: root.page.cancelRefresh(root.playlistID)
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 10

            QMButton {
                objectName: "refresh"
                text: "Refresh playlist"
                symbol: "arrow.clockwise"
                kind: QMButtonKind.Secondary
                compact: true
                enabled: !root.refreshing
                onClicked: root.page.refresh(root.playlistID)
            }

            QMButton {
                objectName: "refreshGuide"
                text: "Refresh TV guide"
                symbol: "calendar.badge.clock"
                kind: QMButtonKind.Secondary
                compact: true
                enabled: !root.refreshing
                onClicked: root.page.refreshGuide(root.playlistID)
            }

            Item {
                Layout.fillWidth: true
            }
        }
    }
}
