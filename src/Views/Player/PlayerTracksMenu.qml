import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The top bar's tracks button and its menu: audio tracks, subtitles, the picture's fit, playback
// speeds and the stream's size, read from the player each time the menu opens.
AbstractButton {
    id: root

    required property PlayerViewModel screen

    objectName: "tracksButton"
    implicitWidth: 40
    implicitHeight: 40
    focusPolicy: Qt.NoFocus
    hoverEnabled: true
    onClicked: {
        root.screen.tracksMenu.refresh();
        menu.popup(root, root.width - menu.width, root.height + 6);
    }

    background: Rectangle {
        radius: width / 2
        antialiasing: true
        color: root.hovered ? QM.surface3 : QM.surface2
    }

    contentItem: Item {
        Icon {
            anchors.centerIn: parent
            symbol: "captions.bubble"
            size: 16
            color: "white"
        }
    }

    HelpTip {
        text: "Audio, subtitles and picture"
        shown: root.hovered && !menu.visible && root.screen.osd
    }

    QMMenu {
        id: menu

        objectName: "tracksMenu"

        Instantiator {
            model: root.screen.tracksMenu
            onObjectAdded: (index, object) => {
                menu.insertItem(index, object);
                object.triggered.connect(() => root.screen.tracksMenu.choose(object.index));
            }
            onObjectRemoved: (index, object) => menu.removeItem(object)

            delegate: PlayerTracksMenuEntry {}
        }
    }
}
