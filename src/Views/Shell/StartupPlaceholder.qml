import QtQuick
import Quillmere

// Shown over the sidebar and the page while the catalogue opens.
Rectangle {
    id: root

    color: QM.bg0

    // The page below is already built but must not be reached yet.
    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.AllButtons
        hoverEnabled: true
        onWheel: wheel => wheel.accepted = true
    }

    Column {
        anchors.centerIn: parent
        spacing: 14

        QuillmereMark {
            anchors.horizontalCenter: parent.horizontalCenter
            size: 44
        }

        QMText {
            objectName: "startupText"
            anchors.horizontalCenter: parent.horizontalCenter
            text: "Opening your library…"
            font: QM.body
            color: QM.text2
        }
    }
}
