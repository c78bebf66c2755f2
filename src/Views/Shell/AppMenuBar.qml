import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The window's menus: File (open a media file, settings, quit) and Go (search, the main pages,
// playlists, and showing or hiding the sidebar). Their keys work whether a menu is open or not.
MenuBar {
    id: root

    signal openFileRequested()

    readonly property Navigation navigation: Navigation {
        app: AppModel
    }

    delegate: MenuBarItem {
        id: item

        leftPadding: 12
        rightPadding: 12
        topPadding: 6
        bottomPadding: 6
        contentItem: Text {
            text: item.text
            textFormat: Text.PlainText
            font: QM.label
            color: item.highlighted ? QM.text1 : QM.text2
        }
        background: Rectangle {
            radius: 6
            color: item.highlighted ? QM.hover : "transparent"
        }
    }

    background: Rectangle {
        implicitHeight: 32
        color: QM.bg1

        Rectangle {
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            height: 1
            color: QM.stroke
        }
    }

    ShellMenu {
        title: qsTr("File")

        ShellMenuItem {
            objectName: "openMediaFile"
            action: Action {
                text: qsTr("Open media file…")
                shortcut: "Ctrl+O"
                onTriggered: root.openFileRequested()
            }
        }

        ShellMenuItem {
            objectName: "openSettings"
            action: Action {
                text: qsTr("Settings…")
                shortcut: "Ctrl+,"
                onTriggered: root.navigation.show("settings")
            }
        }

        ShellMenuSeparator {}

        ShellMenuItem {
            objectName: "quit"
            action: Action {
                text: qsTr("Quit")
                shortcut: "Ctrl+Q"
                onTriggered: Qt.quit()
            }
        }
    }

    ShellMenu {
        id: goMenu

        title: qsTr("Go")

        ShellMenuItem {
            objectName: "goSearch"
            action: Action {
                text: qsTr("Search")
                shortcut: "Ctrl+K"
                onTriggered: root.navigation.search()
            }
        }

        ShellMenuSeparator {}

        Instantiator {
            model: root.navigation.mainPages

            delegate: ShellMenuItem {
                id: pageItem

                required property var modelData

                objectName: "go-" + pageItem.modelData.route
                action: Action {
                    text: pageItem.modelData.title
                    shortcut: pageItem.modelData.shortcut
                    onTriggered: root.navigation.show(pageItem.modelData.route)
                }
            }

            // After "Search" and its separator.
            onObjectAdded: (index, object) => goMenu.insertItem(index + 2, object)
            onObjectRemoved: (index, object) => goMenu.removeItem(object)
        }

        ShellMenuItem {
            objectName: "goPlaylists"
            text: qsTr("Playlists")
            onTriggered: root.navigation.show("playlists")
        }

        ShellMenuSeparator {}

        ShellMenuItem {
            objectName: "toggleSidebar"
            action: Action {
                text: root.navigation.sidebarCommandTitle
                shortcut: "Ctrl+Alt+S"
                onTriggered: root.navigation.toggleSidebar()
            }
        }
    }
}
