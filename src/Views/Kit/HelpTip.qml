import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The hover help of a control: a small dark label over it after a short rest of the pointer.
// `QMIconButton { HelpTip { text: "Move up"; shown: parent.hovered } }`.
ToolTip {
    id: root

    property bool shown: false

    visible: root.shown && root.text.length > 0
    delay: 600
    padding: 6
    leftPadding: 9
    rightPadding: 9

    contentItem: QMText {
        text: root.text
        font: QM.caption
        color: QM.text1
    }

    background: QMSurface {
        color: QM.surface3
        radius: 6
    }
}
