import QtQuick
import QtQuick.Layouts
import Quillmere

// A group of sidebar rows, one a page: its icon and, when expanded, its title (and for search the
// shortcut). The row of the page shown is highlighted.
ColumnLayout {
    id: root

    required property Navigation navigation
    // Route, title and icon of each row (the navigation's upperPages or lowerPages).
    required property var pages

    spacing: 3

    Repeater {
        model: root.pages

        QMRowButton {
            id: row

            required property var modelData
            readonly property bool current: AppModel.route === row.modelData.route
            // The Repeater places its rows in the group itself.
            readonly property SidebarGroup group: row.parent as SidebarGroup

            objectName: "sidebarRow-" + row.modelData.route
            Layout.fillWidth: true
            Layout.leftMargin: 10
            Layout.rightMargin: 10
            implicitHeight: 38
            selected: row.current
            radius: 10
            leftPadding: AppModel.sidebarCollapsed ? 0 : 12
            rightPadding: AppModel.sidebarCollapsed ? 0 : 12
            onClicked: row.group.navigation.choose(row.modelData.route)

            // Collapsed, the row's title is its hover help.
            HelpTip {
                text: row.modelData.title
                shown: AppModel.sidebarCollapsed && row.hovered
            }

            contentItem: RowLayout {
                spacing: 12

                Item {
                    Layout.fillWidth: AppModel.sidebarCollapsed
                    implicitWidth: 22
                    implicitHeight: 22

                    Icon {
                        anchors.centerIn: parent
                        symbol: row.modelData.icon
                        size: 15
                        color: row.current ? QM.accent : QM.text2
                    }
                }

                QMText {
                    Layout.fillWidth: true
                    visible: !AppModel.sidebarCollapsed
                    text: row.modelData.title
                    font: row.current ? QM.navTitleCurrent : QM.navTitle
                    color: row.current ? QM.accent : QM.text2
                    elide: Text.ElideRight
                    maximumLineCount: 1
                }

                QMText {
                    objectName: "searchShortcut"
                    visible: !AppModel.sidebarCollapsed && row.modelData.route === "search"
                    leftPadding: 6
                    rightPadding: 6
                    topPadding: 2
                    bottomPadding: 2
                    text: "Ctrl+K"
                    font: QM.keyCap
                    color: QM.text3

                    Rectangle {
                        anchors.fill: parent
                        z: -1
                        radius: 5
                        color: QM.surface2
                    }
                }
            }
        }
    }
}
