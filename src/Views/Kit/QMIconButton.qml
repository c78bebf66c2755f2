import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A round, icon-only button: `QMIconButton { symbol: "xmark"; size: 28; filled: false; tint: QM.text3 }`.
// Only the circle takes the pointer.
AbstractButton {
    id: root

    property string symbol
    property real size: 32
    property bool filled: false
    property color tint: QM.text2

    hoverEnabled: true
    implicitWidth: root.size
    implicitHeight: root.size
    padding: 0
    scale: QMStyle.iconButtonScale(root.down)
    containmentMask: QtObject {
        function contains(point: point): bool {
            const dx = point.x - root.width / 2;
            const dy = point.y - root.height / 2;
            return dx * dx + dy * dy <= root.width * root.width / 4;
        }
    }

    Behavior on scale {
        NumberAnimation { duration: 80; easing.type: Easing.OutQuad }
    }

    contentItem: Item {
        Icon {
            anchors.centerIn: parent
            symbol: root.symbol
            size: root.size * 0.42
            color: QMStyle.iconButtonForeground(root.tint, root.enabled, root.hovered)
        }
    }

    background: Rectangle {
        radius: width / 2
        antialiasing: true
        color: QMStyle.iconButtonFill(root.filled, root.enabled, root.hovered, root.down)

        Behavior on color {
            ColorAnimation { duration: 120; easing.type: Easing.OutQuad }
        }
    }
}
