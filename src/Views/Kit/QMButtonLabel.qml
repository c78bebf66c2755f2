import QtQuick
import Quillmere

// The label of a text button or chip: an optional symbol, then the title and, for a command with
// a key, the key on a small plate, centred together in the space the button gives it.
Item {
    id: root

    property string symbol
    property real symbolSize: 12.5
    property string text
    property string keys
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

        Rectangle {
            anchors.verticalCenter: parent.verticalCenter
            visible: root.keys.length > 0
            implicitWidth: keyCap.implicitWidth + 12
            implicitHeight: keyCap.implicitHeight + 4
            radius: 5
            antialiasing: true
            color: QM.surface3

            QMText {
                id: keyCap

                anchors.centerIn: parent
                text: root.keys
                font: QM.keyCap
                color: QM.text3
            }
        }
    }
}
