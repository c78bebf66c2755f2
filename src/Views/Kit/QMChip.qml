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

    contentItem: Item {
        implicitWidth: label.implicitWidth
        implicitHeight: label.implicitHeight

        Row {
            id: label

            anchors.centerIn: parent
            spacing: 6

            Icon {
                anchors.verticalCenter: parent.verticalCenter
                visible: root.symbol.length > 0
                symbol: root.symbol
                size: 11
                color: title.color
            }

            Text {
                id: title

                anchors.verticalCenter: parent.verticalCenter
                text: root.text
                font: QM.font(12.5, root.selected ? 600 : 500)
                color: QMStyle.chipForeground(root.selected, root.hovered)
                textFormat: Text.PlainText
                maximumLineCount: 1
            }
        }
    }

    background: QMSurface {
        radius: height / 2
        color: QMStyle.chipFill(root.selected, root.hovered)
        stroke: !root.selected
    }
}
