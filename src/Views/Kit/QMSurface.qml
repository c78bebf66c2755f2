import QtQuick
import Quillmere

// A panel or card surface: a rounded fill with, when `stroke` is on, a 1 px hairline inside the
// edge, drawn over the fill (so a translucent hairline tints the fill, not what lies behind) and
// never changing the surface's outer size. Under a text field, `focused` draws the edge in the
// focus colour while the field has the keyboard.
Rectangle {
    id: root

    property bool stroke: true
    property bool focused: false

    color: QM.surface1
    radius: 14
    antialiasing: true

    Rectangle {
        anchors.fill: parent
        visible: root.stroke || root.focused
        radius: root.radius
        antialiasing: true
        color: "transparent"
        border.width: root.focused ? 1.5 : 1
        border.color: root.focused ? QM.accentFocus : QM.stroke
    }
}
