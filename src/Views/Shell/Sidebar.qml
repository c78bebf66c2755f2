import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The navigation column: the mark with the wordmark and a collapse button, a row for each page
// (the main pages on top, playlists and settings at the bottom) and the playlist switcher. It
// collapses to a strip of icons; the choice is kept by the application model.
Rectangle {
    id: root

    readonly property bool collapsed: AppModel.sidebarCollapsed
    readonly property real rowPadding: 10
    readonly property Navigation navigation: Navigation {
        app: AppModel
    }

    objectName: "sidebar"
    implicitWidth: root.collapsed ? 72 : 236
    color: QM.bg1
    clip: true

    Behavior on implicitWidth {
        NumberAnimation { duration: 300; easing.type: Easing.OutCubic }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        // The window's own title bar is above; a little air before the mark.
        Item { implicitHeight: 14 }

        Item {
            Layout.fillWidth: true
            Layout.leftMargin: root.collapsed ? 0 : 14
            Layout.rightMargin: root.collapsed ? 0 : 14
            Layout.bottomMargin: 18
            implicitHeight: 32

            RowLayout {
                anchors.fill: parent
                visible: !root.collapsed
                spacing: 10

                QuillmereMark {
                    size: 32
                }

                QMText {
                    objectName: "wordmark"
                    text: "Quillmere"
                    font: QM.wordmark
                    color: QM.text1
                }

                Item { Layout.fillWidth: true }

                QMIconButton {
                    id: collapseButton

                    objectName: "collapseButton"
                    symbol: "sidebar.left"
                    size: 28
                    filled: false
                    tint: QM.text3
                    onClicked: AppModel.sidebarCollapsed = true

                    HelpTip {
                        text: "Collapse sidebar"
                        shown: collapseButton.hovered
                    }
                }
            }

            AbstractButton {
                id: expandButton

                objectName: "expandButton"
                anchors.centerIn: parent
                visible: root.collapsed
                hoverEnabled: true
                implicitWidth: 32
                implicitHeight: 32
                padding: 0
                contentItem: QuillmereMark {
                    size: 32
                }
                background: null
                onClicked: AppModel.sidebarCollapsed = false

                HelpTip {
                    text: "Expand sidebar"
                    shown: expandButton.hovered
                }
            }
        }

        SidebarGroup {
            Layout.fillWidth: true
            navigation: root.navigation
            pages: root.navigation.upperPages
        }

        Item { Layout.fillHeight: true }

        SidebarGroup {
            Layout.fillWidth: true
            navigation: root.navigation
            pages: root.navigation.lowerPages
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.leftMargin: 12
            Layout.rightMargin: 12
            Layout.topMargin: 12
            Layout.bottomMargin: 12
            implicitHeight: 1
            color: QM.stroke
        }

        PlaylistSwitcher {
            Layout.fillWidth: true
            Layout.leftMargin: root.rowPadding
            Layout.rightMargin: root.rowPadding
            Layout.bottomMargin: 14
            collapsed: root.collapsed
        }
    }
}
