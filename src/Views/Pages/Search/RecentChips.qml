import QtQuick
import Quillmere

// The recent search terms as chips in left-aligned rows, wrapped at the width (a chip wider
// than the width has a row of its own); a click reports the term chosen.
Flow {
    id: root

    required property var terms

    signal chosen(string term)

    spacing: 8

    Repeater {
        model: root.terms

        // Each chip reports through its parent, the flow itself.
        QMChip {
            id: chip

            required property string modelData

            objectName: "recent:" + chip.modelData
            text: chip.modelData
            symbol: "clock.arrow.circlepath"
            onClicked: (chip.parent as RecentChips).chosen(chip.modelData)
        }
    }
}
