import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The card that covers the window while a mandatory update is offered. It cannot be closed:
// the only way on is the download.
Rectangle {
    id: root

    // The offer: version, and notes when there are any.
    required property var info
    readonly property string notes: root.info.notes ?? ""
    readonly property int padding: 28

    signal download()

    width: 440
    implicitHeight: content.implicitHeight + 2 * root.padding
    radius: 18
    color: Qt.rgba(0.07, 0.08, 0.12, 1)
    border.width: 1
    border.color: Qt.rgba(1, 1, 1, 0.12)

    ColumnLayout {
        id: content

        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: root.padding
        spacing: 14

        QuillmereMark {
            objectName: "mark"
            size: 56
            Layout.alignment: Qt.AlignHCenter
        }

        Label {
            objectName: "title"
            text: qsTr("Update required")
            textFormat: Text.PlainText
            color: "white"
            font.pixelSize: 20
            font.weight: Font.DemiBold
            Layout.alignment: Qt.AlignHCenter
        }

        Label {
            objectName: "message"
            text: qsTr("Quillmere %1 is required to keep using the app.").arg(root.info.version)
            textFormat: Text.PlainText
            color: Qt.rgba(1, 1, 1, 0.78)
            font.pixelSize: 14
            wrapMode: Text.Wrap
            horizontalAlignment: Text.AlignHCenter
            Layout.fillWidth: true
        }

        Label {
            objectName: "notes"
            visible: root.notes.length > 0
            text: root.notes
            textFormat: Text.PlainText
            color: Qt.rgba(1, 1, 1, 0.6)
            font.pixelSize: 13
            wrapMode: Text.Wrap
            maximumLineCount: 5
            elide: Text.ElideRight
            horizontalAlignment: Text.AlignHCenter
            Layout.fillWidth: true
        }

        Button {
            id: downloadButton

            objectName: "downloadButton"
            text: qsTr("Download the update")
            Layout.fillWidth: true
            Layout.topMargin: 6
            onClicked: root.download()

            contentItem: Text {
                text: downloadButton.text
                textFormat: Text.PlainText
                color: "white"
                font.pixelSize: 14
                font.weight: Font.DemiBold
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
            background: Rectangle {
                implicitHeight: 38
                radius: 10
                color: downloadButton.down ? Qt.rgba(0.22, 0.42, 0.9, 1) : Qt.rgba(0.29, 0.5, 1, 1)
            }
        }
    }
}
