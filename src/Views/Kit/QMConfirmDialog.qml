import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T
import QtQuick.Layouts
import Quillmere

// A modal confirmation in the window, over a scrim: a title, an optional message, "Cancel" and
// one action. It shows while `shown` is true; `accepted` follows the action, `dismissed` any
// other way out (Cancel, Esc, a click on the scrim).
Popup {
    id: root

    property bool shown: false
    property string title
    property string message
    property string actionTitle
    property bool destructive: true

    signal accepted()
    signal dismissed()

    property bool acting: false

    parent: T.Overlay.overlay
    anchors.centerIn: parent
    width: 400
    modal: true
    focus: true
    padding: 24
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside

    onShownChanged: root.shown ? root.open() : root.close()
    Component.onCompleted: if (root.shown) root.open()
    onOpened: root.acting = false
    onClosed: {
        if (!root.acting)
            root.dismissed();
    }

    T.Overlay.modal: Rectangle {
        color: QM.scrim
    }

    background: QMSurface {
        color: QM.surface2
        radius: 16
    }

    contentItem: ColumnLayout {
        spacing: 10

        QMText {
            objectName: "dialogTitle"
            Layout.fillWidth: true
            text: root.title
            font: QM.h3
            color: QM.text1
            wrapMode: Text.Wrap
        }

        QMText {
            objectName: "dialogMessage"
            Layout.fillWidth: true
            visible: root.message.length > 0
            text: root.message
            font: QM.body
            color: QM.text2
            wrapMode: Text.Wrap
        }

        RowLayout {
            Layout.fillWidth: true
            Layout.topMargin: 10
            spacing: 10

            Item {
                Layout.fillWidth: true
            }

            QMButton {
                objectName: "dialogCancel"
                text: "Cancel"
                kind: QMButtonKind.Ghost
                onClicked: root.close()
            }

            QMButton {
                objectName: "dialogAction"
                text: root.actionTitle
                kind: root.destructive ? QMButtonKind.Danger : QMButtonKind.Primary
                onClicked: {
                    root.acting = true;
                    root.close();
                    root.accepted();
                }
            }
        }
    }
}
