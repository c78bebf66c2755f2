import QtQuick
import Quillmere

// The film bar's seek bar: a thin track filled to the position shown, growing with a knob and a
// time label while the pointer is over it. It only reports: `scrubbed` while a drag moves,
// `committed` when it ends, `cancelled` when it ends without being able to seek.
Item {
    id: root

    property real value: 0
    property real total: 0
    signal scrubbed(real position)
    signal committed(real position)
    signal cancelled()

    implicitHeight: 22

    ScrubberModel {
        id: bar

        value: root.value
        total: root.total
        enabled: root.enabled
        width: root.width
        onScrubbed: (position) => root.scrubbed(position)
        onCommitted: (position) => root.committed(position)
        onCancelled: root.cancelled()
    }

    Rectangle {
        id: track

        anchors.verticalCenter: parent.verticalCenter
        width: root.width
        height: bar.active ? 7 : 5
        radius: height / 2
        antialiasing: true
        color: QM.videoTrack

        Behavior on height {
            NumberAnimation { duration: 120; easing.type: Easing.OutQuad }
        }

        Rectangle {
            width: bar.fillWidth
            height: parent.height
            radius: height / 2
            antialiasing: true
            color: QM.accent
        }
    }

    Rectangle {
        id: knob

        anchors.verticalCenter: parent.verticalCenter
        x: bar.knobX
        width: bar.knobSize
        height: width
        radius: width / 2
        antialiasing: true
        color: "white"
        opacity: bar.knobVisible ? 1 : 0

        Behavior on opacity {
            NumberAnimation { duration: 120; easing.type: Easing.OutQuad }
        }

        QMShadow {
            anchors.fill: parent
            z: -1
            radius: 7
            blur: 3
            offsetY: 0
            shadowColor: QM.shadowKnob
        }
    }

    Rectangle {
        objectName: "hoverLabel"
        x: bar.labelX
        y: (root.height - height) / 2 - 22
        width: label.implicitWidth + 14
        height: label.implicitHeight + 6
        radius: height / 2
        antialiasing: true
        color: "white"
        opacity: bar.labelVisible ? 1 : 0

        Behavior on opacity {
            NumberAnimation { duration: 120; easing.type: Easing.OutQuad }
        }

        QMText {
            id: label

            anchors.centerIn: parent
            text: bar.hoverText
            font: QM.timeLabel
            color: "black"
        }
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        preventStealing: true
        onPositionChanged: (mouse) => {
            bar.hover(mouse.x);
            if (pressed)
                bar.move(mouse.x);
        }
        onExited: bar.endHover()
        onPressed: (mouse) => bar.press(mouse.x)
        onReleased: (mouse) => bar.release(mouse.x)
        onCanceled: bar.cancel()
    }
}
