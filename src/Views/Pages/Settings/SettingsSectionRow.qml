import QtQuick
import QtQuick.Layouts
import Quillmere

// One section in the settings page's list: its symbol and title, in the accent colour while
// it is the section shown.
QMRowButton {
    id: root

    property string title
    property string symbol
    readonly property color tint: root.selected ? QM.accent : QM.text2

    objectName: "section-" + root.title
    implicitHeight: 36
    radius: 10
    leftPadding: 12
    rightPadding: 12

    contentItem: RowLayout {
        spacing: 11

        Item {
            Layout.preferredWidth: 18
            Layout.preferredHeight: 18

            Icon {
                anchors.centerIn: parent
                symbol: root.symbol
                size: 13
                color: root.tint
            }
        }

        QMText {
            Layout.fillWidth: true
            text: root.title
            font: root.selected ? QM.sectionTitleSelected : QM.sectionTitle
            color: root.tint
            elide: Text.ElideRight
        }
    }
}
