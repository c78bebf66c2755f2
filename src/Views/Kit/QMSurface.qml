import QtQuick
import Quillmere

// A panel or card surface: a rounded fill with, when `stroke` is on, a 1 px hairline inside the
// edge, drawn over the fill (so a translucent hairline tints the fill, not what lies behind) and
// never changing the surface's outer size.
Rectangle {
    id: root

    property bool stroke: true

    color: QM.surface1
    radius: 14
    antialiasing: true

    Rectangle {
        anchors.fill: parent
        visible: root.stroke
        radius: root.radius
        antialiasing: true
        color: "transparent"
        border.width: 1
        border.color: QM.stroke
    }
}
