import QtQuick
import Quillmere

// A panel or card surface: a rounded fill with, when `stroke` is on, a 1 px hairline drawn inside
// the edge, so that the border never changes the surface's outer size.
Rectangle {
    id: root

    property bool stroke: true

    color: QM.surface1
    radius: 14
    antialiasing: true
    border.width: root.stroke ? 1 : 0
    border.color: QM.stroke
}
