import QtQuick

// The product's mark, centred in a square of `size`: a quill-blue tile with a ring and the
// stroke that closes it into a Q.
Item {
    id: root

    property real size: 64

    implicitWidth: root.size
    implicitHeight: root.size

    Rectangle {
        id: tile

        anchors.centerIn: parent
        width: root.size
        height: root.size
        radius: root.size * 0.24
        gradient: Gradient {
            GradientStop { position: 0; color: Qt.rgba(0.33, 0.55, 1, 1) }
            GradientStop { position: 1; color: Qt.rgba(0.45, 0.27, 0.95, 1) }
        }

        Rectangle {
            id: ring

            anchors.centerIn: parent
            width: root.size * 0.52
            height: width
            radius: width / 2
            color: "transparent"
            border.width: Math.max(1, root.size * 0.085)
            border.color: "white"
        }

        Rectangle {
            width: root.size * 0.26
            height: ring.border.width
            radius: height / 2
            color: "white"
            rotation: 45
            x: tile.width * 0.55
            y: tile.height * 0.68
        }
    }
}
