import QtQuick
import Quillmere

// The product's mark at any size: a soft accent disc with a sparkle half as tall as the disc.
Rectangle {
    id: root

    property real size: 44

    implicitWidth: root.size
    implicitHeight: root.size
    width: root.size
    height: root.size
    radius: root.size / 2
    antialiasing: true
    color: QM.accentSoft

    Icon {
        anchors.centerIn: parent
        symbol: "sparkle"
        size: root.size * 0.5
        color: QM.accent
    }
}
