import QtQuick
import Quillmere

// The "LIVE" marker: a red dot and the word on a faint red capsule.
Item {
    id: root

    implicitWidth: content.implicitWidth + 14
    implicitHeight: content.implicitHeight + 6

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        antialiasing: true
        color: QM.liveSoft
    }

    Row {
        id: content

        anchors.centerIn: parent
        spacing: 4

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            width: 6
            height: 6
            radius: 3
            antialiasing: true
            color: QM.live
        }

        QMText {
            anchors.verticalCenter: parent.verticalCenter
            text: "LIVE"
            font: QM.liveBadge
            color: QM.text1
        }
    }
}
