import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A small icon button of a category row, with its hover help.
QMIconButton {
    id: root

    property string help

    size: 28
    filled: false
    tint: QM.text3
    opacity: root.enabled ? 1 : 0.35

    HelpTip {
        text: root.help
        shown: root.hovered
    }
}
