import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A context or pull-down menu in the kit's look: a raised dark panel of `QMMenuItem`s.
// `menu.popup(anchor, x, y)` opens it at a point of `anchor`.
Menu {
    id: root

    padding: 5

    background: Item {
        implicitWidth: 200

        QMShadow {
            anchors.fill: parent
            radius: 10
            blur: 18
            offsetY: 6
            shadowColor: Qt.rgba(0, 0, 0, 0.5)
        }

        QMSurface {
            anchors.fill: parent
            radius: 10
            color: QM.surface3
        }
    }

    enter: Transition {
        NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 90 }
    }
    exit: Transition {
        NumberAnimation { property: "opacity"; from: 1; to: 0; duration: 90 }
    }
}
