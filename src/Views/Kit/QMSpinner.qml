import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// An activity indicator in the accent colour. `size` only chooses between the mini and the small
// control: `QMSpinner { size: 14 }`.
BusyIndicator {
    id: root

    property real size: 16
    readonly property real diameter: QMStyle.spinnerDiameter(root.size)

    padding: 0
    implicitWidth: root.diameter
    implicitHeight: root.diameter

    contentItem: Item {
        id: wheel

        implicitWidth: root.diameter
        implicitHeight: root.diameter
        visible: root.running

        Repeater {
            model: 8

            Rectangle {
                required property int index

                x: (wheel.width - width) / 2
                y: 0
                width: Math.max(1.5, root.diameter * 0.12)
                height: root.diameter * 0.3
                radius: width / 2
                antialiasing: true
                color: QM.accent
                opacity: 0.25 + 0.75 * (index + 1) / 8
                transform: Rotation {
                    origin.x: width / 2
                    origin.y: wheel.height / 2
                    angle: index * 45
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
}
