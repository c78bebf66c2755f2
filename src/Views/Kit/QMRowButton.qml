import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A selectable list row; the caller gives its content and padding:
// `QMRowButton { selected: model.scope === scope; radius: 8; contentItem: RowLayout { ... } }`.
AbstractButton {
    id: root

    property bool selected: false
    property real radius: 8

    hoverEnabled: true

    background: Rectangle {
        radius: root.radius
        antialiasing: true
        color: QMStyle.rowFill(root.selected, root.hovered, root.down)
    }
}
