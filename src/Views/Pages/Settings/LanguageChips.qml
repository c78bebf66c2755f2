import QtQuick
import Quillmere

// The languages of the library as chips in wrapped rows, the shown ones selected: `languages`
// are {key, title, hidden}; a click reports the language turned on or off.
Flow {
    id: root

    required property var languages

    signal toggled(string key)

    spacing: 8

    Repeater {
        model: root.languages

        // Each chip reports through its parent, the flow itself.
        QMChip {
            id: chip

            required property var modelData

            objectName: "language-" + chip.modelData.key
            text: chip.modelData.title
            symbol: chip.modelData.hidden ? "eye.slash" : "checkmark"
            selected: !chip.modelData.hidden
            onClicked: (chip.parent as LanguageChips).toggled(chip.modelData.key)
        }
    }
}
