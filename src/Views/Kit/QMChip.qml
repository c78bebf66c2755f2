import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// A pill for filters and choices: `QMChip { text: "Today"; selected: true; onClicked: ... }`,
// optionally with a symbol before the title.
AbstractButton {
    id: root

    property bool selected: false
    property string symbol

    hoverEnabled: true
    implicitWidth: root.implicitContentWidth + root.leftPadding + root.rightPadding
    implicitHeight: 30
    leftPadding: 13
    rightPadding: 13
    topPadding: 0
    bottomPadding: 0

    contentItem: QMButtonLabel {
        symbol: root.symbol
        symbolSize: 11
        spacing: 6
        text: root.text
        font: root.selected ? QM.chipSelected : QM.chip
        color: QMStyle.chipForeground(root.selected, root.hovered)
    }

    background: QMSurface {
        radius: height / 2
        color: QMStyle.chipFill(root.selected, root.hovered)
        stroke: !root.selected
    }
}
