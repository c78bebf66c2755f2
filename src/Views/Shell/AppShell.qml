import QtQuick
import QtQuick.Layouts
import Quillmere

// Everything inside the window: the sidebar, the page of the current route with an open detail
// page over it, the player over the whole window while something plays, the notices, and the
// start-up placeholder while the catalogue opens.
Item {
    id: root

    // Whether `item` lies in the sidebar or the page area (not the player, a notice or a menu).
    function inMainLayer(item: Item): bool {
        for (let at = item; at; at = at.parent) {
            if (at === mainLayer)
                return true;
        }
        return false;
    }

    AppShellModel {
        id: shell

        app: AppModel
    }

    // Once the player has gone, the keys go back to what last had them in the sidebar or the
    // page area (a page may have taken them itself by then): the layer was hidden while the
    // player covered it, which took the focus from it. A page built meanwhile starts without
    // it, as any page shown afresh. Run once the change under way has settled and the layer
    // shows again.
    Timer {
        id: returnKeys

        // What last had the keys in the main layer.
        property Item holder: null

        interval: 0
        onTriggered: {
            if (returnKeys.holder?.visible && returnKeys.holder.enabled)
                returnKeys.holder.forceActiveFocus();
        }
    }

    Connections {
        target: root.Window.window

        function onActiveFocusItemChanged(): void {
            if (root.inMainLayer(root.Window.activeFocusItem))
                returnKeys.holder = root.Window.activeFocusItem;
        }
    }

    RowLayout {
        id: mainLayer

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
        onKeyChanged: {
            if (playerLayer.key.length === 0)
                returnKeys.restart();
        }
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
