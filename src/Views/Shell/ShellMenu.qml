import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A pull-down menu of the shell: a raised dark card of items.
Menu {
    id: root

    padding: 6
    implicitWidth: 240
    delegate: ShellMenuItem {}

    background: Rectangle {
        implicitWidth: 240
        radius: 10
        antialiasing: true
        color: QM.surface3
        border.width: 1
        border.color: QM.strokeStrong

        QMShadow {
            anchors.fill: parent
            z: -1
            radius: 10
            blur: 18
            offsetY: 8
            shadowColor: Qt.rgba(0, 0, 0, 0.4)
        }
    }
}
