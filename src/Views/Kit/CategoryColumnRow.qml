import QtQuick
import QtQuick.Layouts
import Quillmere

// One selectable row of the category column: an optional symbol, the title, and a count.
QMRowButton {
    id: root

    property string symbol
    property string title
    property string count

    readonly property color tint: root.selected ? QM.accent : QM.text2

    implicitHeight: 34
    radius: 8
    leftPadding: 12
    rightPadding: 12
    topPadding: 0
    bottomPadding: 0

    contentItem: RowLayout {
        spacing: 10

        Item {
            Layout.preferredWidth: 16
            Layout.preferredHeight: 16
            visible: root.symbol.length > 0

            Icon {
                anchors.centerIn: parent
                symbol: root.symbol
                size: 12
                color: root.tint
            }
        }

        QMText {
            objectName: "title"
            Layout.fillWidth: true
            text: root.title
            font: root.selected ? QM.rowTitleSelected : QM.rowTitle
            color: root.tint
            elide: Text.ElideRight
            maximumLineCount: 1
        }

        QMText {
            objectName: "count"
            // At least 6 apart from the title besides the row's spacing on each side of the gap.
            Layout.leftMargin: 16
            visible: root.count.length > 0
            text: root.count
            font: QM.small
            color: root.selected ? QM.accentCount : QM.text3
        }
    }
}
