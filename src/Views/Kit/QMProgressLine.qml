import QtQuick
import Quillmere

// A thin progress bar over a faint track: `QMProgressLine { value: 0.4; height: 3 }`. Values
// outside 0 to 1 show an empty or a full bar.
Item {
    id: root

    property real value: 0
    property color tint: QM.accent

    implicitWidth: 120
    implicitHeight: 4

    Rectangle {
        anchors.fill: parent
        radius: height / 2
        antialiasing: true
        color: QM.track
    }

    Rectangle {
        objectName: "fill"
        width: root.width * QMStyle.progressFraction(root.value)
        height: root.height
        visible: width > 0
        radius: height / 2
        antialiasing: true
        color: root.tint
    }
}
