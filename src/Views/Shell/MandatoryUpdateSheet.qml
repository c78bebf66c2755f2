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
    color: QM.sheetFill
    border.width: 1
    border.color: QM.sheetEdge

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

        QMText {
            objectName: "title"
            text: "Update required"
            font: QM.h2
            color: "white"
            Layout.alignment: Qt.AlignHCenter
        }

        QMText {
            objectName: "message"
            text: "Quillmere " + root.info.version + " is required to keep using the app."
            color: QM.sheetText
            wrapMode: Text.Wrap
            horizontalAlignment: Text.AlignHCenter
            Layout.fillWidth: true
        }

        QMText {
            objectName: "notes"
            visible: root.notes.length > 0
            text: root.notes
            font: QM.meta
            color: QM.sheetNote
            wrapMode: Text.Wrap
            maximumLineCount: 5
            elide: Text.ElideRight
            horizontalAlignment: Text.AlignHCenter
            Layout.fillWidth: true
        }

        Button {
            id: downloadButton

            objectName: "downloadButton"
            text: "Download the update"
            Layout.fillWidth: true
            Layout.topMargin: 6
            onClicked: root.download()

            contentItem: QMText {
                text: downloadButton.text
                font: QM.sheetAction
                color: "white"
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
            background: Rectangle {
                implicitHeight: 38
                radius: 10
                color: downloadButton.down ? QM.sheetButtonPressed : QM.sheetButton
            }
        }
    }
}
