import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A small on/off switch in the accent colour, without a label of its own:
// `QMToggle { checked: setting.value; onToggled: setting.value = checked }`.
Switch {
    id: root

    padding: 0
    spacing: 0
    text: ""
    hoverEnabled: true
    implicitWidth: 32
    implicitHeight: 18

    indicator: Rectangle {
        implicitWidth: 32
        implicitHeight: 18
        radius: height / 2
        antialiasing: true
        color: root.checked ? QM.accent : (root.hovered ? QM.surface4 : QM.surface3)
        border.width: root.checked ? 0 : 1
        border.color: QM.strokeStrong
        opacity: root.enabled ? 1 : 0.45

        Behavior on color {
            ColorAnimation { duration: 120; easing.type: Easing.OutQuad }
        }

        Rectangle {
            objectName: "knob"
            width: parent.height - 4
            height: width
            radius: width / 2
            antialiasing: true
            x: root.checked ? parent.width - width - 2 : 2
            anchors.verticalCenter: parent.verticalCenter
            color: "white"

            Behavior on x {
                NumberAnimation { duration: 120; easing.type: Easing.OutQuad }
            }
        }
    }

    contentItem: null
}
