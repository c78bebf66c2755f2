import QtQuick
import Quillmere

// The turning wheel of bars that `QMSpinner` shows, in the accent colour unless tinted.
Item {
    id: root

    property real diameter: 16
    property bool running: true
    property color tint: QM.accent

    implicitWidth: root.diameter
    implicitHeight: root.diameter

    Repeater {
        model: 8

        // Each bar reads the wheel's size and tint through its parent, the wheel itself.
        Rectangle {
            id: bar

            required property int index
            readonly property QMSpinnerWheel owner: bar.parent as QMSpinnerWheel
            readonly property real wheel: bar.owner ? bar.owner.width : 0

            x: (bar.wheel - bar.width) / 2
            width: Math.max(1.5, bar.wheel * 0.12)
            height: bar.wheel * 0.3
            radius: bar.width / 2
            antialiasing: true
            color: bar.owner ? bar.owner.tint : "transparent"
            opacity: 0.25 + 0.75 * (bar.index + 1) / 8
            transform: Rotation {
                origin.x: bar.width / 2
                origin.y: bar.wheel / 2
                angle: bar.index * 45
            }
        }
    }

    RotationAnimation on rotation {
        from: 0
        to: 360
        duration: 900
        loops: Animation.Infinite
        running: root.running && root.visible
    }
}
