import QtQuick
import QtQuick.Layouts
import Quillmere

// One line of a settings card: a title, an optional detail under it, and the control at its
// end: `SettingsRow { title: "24-hour clock"; QMToggle {} }`. Every row but the `last` one
// of its card has a divider under it.
Item {
    id: root

    property string title
    property string detail
    property bool last: false
    default property alias trailing: trailingRow.data

    width: parent ? parent.width : implicitWidth
    implicitWidth: line.implicitWidth + 36
    implicitHeight: line.implicitHeight + 28 + (divider.visible ? 1 : 0)

    RowLayout {
        id: line

        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.leftMargin: 18
        anchors.rightMargin: 18
        anchors.topMargin: 14
        spacing: 20

        Column {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            // A flexible gap of at least 12 between the texts and the control, itself spaced
            // like every part of the line.
            Layout.rightMargin: 12 + line.spacing
            spacing: 3

            QMText {
                objectName: "title"
                width: parent.width
                text: root.title
                font: QM.settingTitle
                color: QM.text1
                wrapMode: Text.Wrap
            }

            QMText {
                objectName: "detail"
                width: parent.width
                visible: root.detail.length > 0
                text: root.detail
                font: QM.caption
                color: QM.text3
                wrapMode: Text.Wrap
            }
        }

        RowLayout {
            id: trailingRow

            Layout.alignment: Qt.AlignVCenter
            spacing: 8
        }
    }

    Rectangle {
        id: divider

        objectName: "divider"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.leftMargin: 18
        height: 1
        visible: !root.last
        color: QM.stroke
    }
}
