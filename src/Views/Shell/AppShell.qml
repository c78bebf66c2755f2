import QtQuick
import QtQuick.Layouts
import Quillmere

// Everything inside the window: the sidebar, the page of the current route with an open detail
// page over it, the player over the whole window while something plays, the notices, and the
// start-up placeholder while the catalogue opens.
Item {
    id: root

    AppShellModel {
        id: shell

        app: AppModel
    }

    RowLayout {
        objectName: "mainLayer"
        anchors.fill: parent
        spacing: 0
        // While something plays the player covers all of it and takes every click. Once the
        // player has come in, the layer is hidden as well: that changes nothing on screen, and
        // keeps the page from the keyboard and from accessibility.
        visible: !playerLayer.covering

        Sidebar {
            Layout.fillHeight: true
        }

        Rectangle {
            Layout.fillHeight: true
            implicitWidth: 1
            color: QM.stroke
        }

        Rectangle {
            objectName: "pageArea"
            Layout.fillWidth: true
            Layout.fillHeight: true
            color: QM.bg0
            clip: true

            PageSwitch {
                anchors.fill: parent
                page: shell.page
            }

            KeyedLayer {
                objectName: "detailLayer"
                anchors.fill: parent
                z: 2
                key: AppModel.detailId
                slides: true
                view: Component { DetailPage {} }
            }
        }
    }

    KeyedLayer {
        id: playerLayer

        objectName: "playerLayer"
        anchors.fill: parent
        z: 100
        opaque: true
        // A title shows once its player controller exists; each title gets a player of its own.
        key: PlaybackWindowController.playerController ? PlaybackWindowController.targetId : ""
        view: Component { PlayerView {} }
    }

    ToastStack {
        anchors.fill: parent
        toasts: shell.toasts
        z: 200
    }

    StartupPlaceholder {
        anchors.fill: parent
        z: 300
        visible: CatalogueStore.isInitializing
    }
}
