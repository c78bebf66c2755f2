import QtQuick
import Quillmere

// A series' season chips in a row, the chosen season's selected: `chips` are {number, title,
// selected}; a click reports the season chosen.
Row {
    id: root

    required property var chips

    signal chosen(int season)

    spacing: 8

    Repeater {
        model: root.chips

        // Each chip reports through its parent, the row itself.
        QMChip {
            id: chip

            required property var modelData

            objectName: "season:" + chip.modelData.number
            text: chip.modelData.title
            selected: chip.modelData.selected
            onClicked: (chip.parent as SeasonChips).chosen(chip.modelData.number)
        }
    }
}
