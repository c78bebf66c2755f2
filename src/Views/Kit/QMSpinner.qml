import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// An activity indicator in the accent colour. `size` only chooses between the mini and the small
// control: `QMSpinner { size: 14 }`.
BusyIndicator {
    id: root

    property real size: 16
    // The bars' colour, for a spinner on an accent-coloured button.
    property color tint: QM.accent

    padding: 0
    implicitWidth: QMStyle.spinnerDiameter(root.size)
    implicitHeight: root.implicitWidth

    contentItem: QMSpinnerWheel {
        diameter: root.implicitWidth
        tint: root.tint
        running: root.running
        visible: root.running
    }
}
