import QtQuick
import Quillmere

// The label of a text button or chip: an optional symbol, then the title, centred together in
// the space the button gives it.
Item {
    id: root

    property string symbol
    property real symbolSize: 12.5
    property string text
    property font font: QM.label
    property color color: QM.text1
    property real spacing: 7

    implicitWidth: row.implicitWidth
    implicitHeight: row.implicitHeight

    Row {
        id: row

        anchors.centerIn: parent
        spacing: root.spacing

        Icon {
            anchors.verticalCenter: parent.verticalCenter
            visible: root.symbol.length > 0
            symbol: root.symbol
            size: root.symbolSize
            color: root.color
        }

        QMText {
            anchors.verticalCenter: parent.verticalCenter
            text: root.text
            font: root.font
            color: root.color
            maximumLineCount: 1
        }
    }
}
