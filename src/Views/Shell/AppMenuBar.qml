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

        // The menu bar leaves a title highlighted after its menu closes under the pointer, until
        // another title is chosen; a title is lit only while it is pointed at or its menu is open.
        readonly property bool lit: item.hovered || (item.menu !== null && item.menu.visible)

        leftPadding: 12
        rightPadding: 12
        topPadding: 6
        bottomPadding: 6
        contentItem: QMText {
            text: item.text
            font: QM.label
            color: item.lit ? QM.text1 : QM.text2
        }
        background: Rectangle {
            radius: 6
            color: item.lit ? QM.hover : "transparent"
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

    QMMenu {
        title: "File"

        QMMenuItem {
            objectName: "openMediaFile"
            action: Action {
                text: "Open media file…"
                shortcut: "Ctrl+O"
                onTriggered: root.openFileRequested()
            }
        }

        QMMenuItem {
            objectName: "openSettings"
            action: Action {
                text: "Settings…"
                shortcut: "Ctrl+,"
                onTriggered: root.navigation.show("settings")
            }
        }

        QMMenuSeparator {}

        QMMenuItem {
            objectName: "quit"
            action: Action {
                text: "Quit"
                shortcut: "Ctrl+Q"
                onTriggered: Qt.quit()
            }
        }
    }

    QMMenu {
        id: goMenu

        title: "Go"

        QMMenuItem {
            objectName: "goSearch"
            action: Action {
                text: "Search"
                shortcut: "Ctrl+K"
                onTriggered: root.navigation.search()
            }
        }

        QMMenuSeparator {}

        Instantiator {
            model: root.navigation.mainPages

            delegate: QMMenuItem {
                id: pageItem

                required property var modelData
                // Given as the item is added: a delegate reaches nothing outside itself.
                property Navigation navigation

                objectName: "go-" + pageItem.modelData.route
                action: Action {
                    text: pageItem.modelData.title
                    shortcut: pageItem.modelData.shortcut
                    onTriggered: pageItem.navigation.show(pageItem.modelData.route)
                }
            }

            // After "Search" and its separator.
            onObjectAdded: (index, object) => {
                object.navigation = root.navigation;
                goMenu.insertItem(index + 2, object);
            }
            onObjectRemoved: (index, object) => goMenu.removeItem(object)
        }

        QMMenuItem {
            objectName: "goPlaylists"
            text: "Playlists"
            onTriggered: root.navigation.show("playlists")
        }

        QMMenuSeparator {}

        QMMenuItem {
            objectName: "toggleSidebar"
            action: Action {
                text: root.navigation.sidebarCommandTitle
                shortcut: "Ctrl+Alt+S"
                onTriggered: root.navigation.toggleSidebar()
            }
        }
    }
}
