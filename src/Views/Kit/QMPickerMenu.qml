import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A menu of values with a check mark at the chosen one, under an optional heading: `options` are
// {value, label} pairs in menu order; choosing one emits `picked(value)`. Each entry is named
// after its value with `entryPrefix` before it ("option-24h"). `QMPicker` opens one; a pull-down
// of a header opens one of its own.
QMMenu {
    id: root

    property string heading
    property string entryPrefix: "option-"
    property var options: []
    property var selection

    signal picked(var value)

    QMMenuTitle {
        visible: root.heading.length > 0
        text: root.heading
    }

    Instantiator {
        model: root.options
        // After the heading.
        onObjectAdded: (index, object) => root.insertItem(index + 1, object)
        onObjectRemoved: (index, object) => root.removeItem(object)

        delegate: QMMenuItem {
            id: entry

            required property var modelData
            readonly property QMPickerMenu owner: entry.menu as QMPickerMenu

            objectName: entry.owner ? entry.owner.entryPrefix + entry.modelData.value : ""
            text: entry.modelData.label
            symbol: entry.owner && PickerRules.matches(entry.modelData.value, entry.owner.selection) ? "checkmark" : ""
            onTriggered: entry.owner.picked(entry.modelData.value)
        }
    }
}
