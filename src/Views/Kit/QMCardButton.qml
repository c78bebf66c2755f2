import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The button around a poster or channel card. It draws nothing of its own: it grows while the
// pointer is over it, shrinks while pressed, and tells its content whether the pointer is over the
// card: a content item that declares `property bool cardHovered` gets it kept up to date, and
// anything inside may read the button's `cardHovered`.
AbstractButton {
    id: root

    property real radius: 12
    readonly property bool cardHovered: root.hovered

    hoverEnabled: true
    padding: 0
    scale: QMStyle.cardScale(root.hovered, root.down)

    Behavior on scale {
        NumberAnimation {
            duration: root.down ? 80 : 250
            easing.type: root.down ? Easing.OutQuad : Easing.OutBack
            easing.overshoot: 0.8
        }
    }

    Binding {
        target: root.contentItem
        property: "cardHovered"
        value: root.cardHovered
        // Looked up by name: the content is any item, and only some declare it.
        when: root.contentItem !== null && "cardHovered" in root.contentItem
    }
}
