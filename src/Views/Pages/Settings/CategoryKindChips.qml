import QtQuick
import Quillmere

// The chips of the kinds whose categories the settings arrange, the one shown selected; a click
// reports the kind chosen.
Row {
    id: root

    required property string kind

    signal chosen(string kind)

    spacing: 6

    Repeater {
        model: [
            { kind: "live", title: "Live TV" },
            { kind: "movie", title: "Movies" },
            { kind: "series", title: "Series" }
        ]

        // Each chip reads and reports through its parent, the row itself.
        QMChip {
            id: chip

            required property var modelData
            readonly property CategoryKindChips row: chip.parent as CategoryKindChips

            objectName: "kind-" + chip.modelData.kind
            text: chip.modelData.title
            selected: chip.row.kind === chip.modelData.kind
            onClicked: chip.row.chosen(chip.modelData.kind)
        }
    }
}
