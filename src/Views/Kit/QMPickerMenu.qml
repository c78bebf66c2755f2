import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The menu of a QMPicker: one item per option, the current one with a check mark.
QMMenu {
    id: root

    property var options: []
    property var selection

    signal picked(var value)

    Instantiator {
        model: root.options
        onObjectAdded: (index, object) => root.insertItem(index, object)
        onObjectRemoved: (index, object) => root.removeItem(object)

        delegate: QMMenuItem {
            required property var modelData

            objectName: "option-" + modelData.value
            text: modelData.label
            symbol: PickerRules.matches(modelData.value, root.selection) ? "checkmark" : ""
            onTriggered: root.picked(modelData.value)
        }
    }
}
