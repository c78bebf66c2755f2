import QtQuick
import QtQuick.Layouts
import Quillmere

// A quick-link tile of the home page: a symbol on a soft square, the page's name and a line
// about it, and a chevron that lights up while the pointer is over the tile's card.
Item {
    id: root

    property string title
    property string detail
    property string symbol
    property bool cardHovered: false

    implicitHeight: 84

    Rectangle {
        anchors.fill: parent
        radius: 14
        antialiasing: true
        color: root.cardHovered ? QM.surface2 : QM.surface1
    }

    Rectangle {
        anchors.fill: parent
        radius: 14
        antialiasing: true
        color: "transparent"
        border.width: 1
        border.color: root.cardHovered ? QM.accentHoverEdge : QM.stroke
    }

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 18
        anchors.rightMargin: 18
        spacing: 14

        Rectangle {
            implicitWidth: 46
            implicitHeight: 46
            radius: 12
            antialiasing: true
            color: QM.accentSoft

            Icon {
                anchors.centerIn: parent
                symbol: root.symbol
                size: 18
                color: QM.accent
            }
        }

        ColumnLayout {
            Layout.fillWidth: true
            Layout.minimumWidth: 0
            spacing: 3

            QMText {
                objectName: "tileTitle"
                Layout.fillWidth: true
                text: root.title
                font: QM.tileTitle
                color: QM.text1
                elide: Text.ElideRight
            }

            QMText {
                objectName: "tileDetail"
                Layout.fillWidth: true
                text: root.detail
                font: QM.caption
                color: QM.text3
                elide: Text.ElideRight
            }
        }

        Icon {
            symbol: "chevron.right"
            size: 12
            color: root.cardHovered ? QM.accent : QM.text3
        }
    }
}
