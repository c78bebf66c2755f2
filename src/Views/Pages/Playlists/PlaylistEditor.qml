import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Templates as T
import QtQuick.Layouts
import Quillmere

// The sheet in which a provider login is added as a playlist (`playlistID` 0) or an existing
// playlist's login is changed. Esc is "Cancel"; Return saves when the form can be saved.
Popup {
    id: root

    property var playlistID: 0

    parent: T.Overlay.overlay
    anchors.centerIn: parent
    width: 520
    modal: true
    focus: true
    padding: 28
    // Cancel (and Esc) stay available while a save runs; a click on the scrim never closes.
    closePolicy: Popup.CloseOnEscape

    PlaylistEditorModel {
        id: editor

        objectName: "editor"
        playlistID: root.playlistID
        app: AppModel
        onFinished: root.close()
    }

    T.Overlay.modal: Rectangle {
        color: QM.scrim
    }

    background: QMSurface {
        color: QM.surface1
        radius: 16
    }

    onOpened: nameField.input.forceActiveFocus()
    // Esc closes the popup directly: that is a cancel too.
    onClosed: editor.cancel()

    // The one child of the sheet: its content, which sets the sheet's height.
    ColumnLayout {
        anchors.fill: parent
        spacing: 20

        Keys.onReturnPressed: editor.save()
        Keys.onEnterPressed: editor.save()

        RowLayout {
            spacing: 12

            QuillmereMark {
                size: 36
            }

            ColumnLayout {
                spacing: 3

                QMText {
                    objectName: "title"
                    text: editor.title
                    font: QM.h2
                    color: QM.text1
                }

                QMText {
                    text: "Xtream Codes login from your provider. Saved in your keyring."
                    font: QM.caption
                    color: QM.text3
                }
            }
        }

        ColumnLayout {
            Layout.fillWidth: true
            spacing: 12

            EditorField {
                id: nameField

                objectName: "nameField"
                Layout.fillWidth: true
                label: "Name"
                placeholder: "e.g. Home"
                text: editor.name
                onEdited: text => editor.name = text
                onEntryFinished: editor.finishEntry(PlaylistEditorModel.Name)
            }
            EditorField {
                objectName: "serverField"
                Layout.fillWidth: true
                label: "Server address"
                placeholder: "http://provider.example.com:8080"
                text: editor.server
                onEdited: text => editor.server = text
                onEntryFinished: editor.finishEntry(PlaylistEditorModel.Server)
            }
            EditorField {
                objectName: "usernameField"
                Layout.fillWidth: true
                label: "Username"
                text: editor.username
                onEdited: text => editor.username = text
                onEntryFinished: editor.finishEntry(PlaylistEditorModel.Username)
            }
            EditorField {
                objectName: "passwordField"
                Layout.fillWidth: true
                label: "Password"
                secure: true
                text: editor.password
                onEdited: text => editor.password = text
                onEntryFinished: editor.finishEntry(PlaylistEditorModel.Password)
            }
        }

        RowLayout {
            objectName: "errorLine"
            Layout.fillWidth: true
            visible: errorText.text.length > 0
            spacing: 6

            Icon {
                Layout.alignment: Qt.AlignTop
                Layout.topMargin: 1
                symbol: "exclamationmark.triangle.fill"
                size: 11
                color: QM.danger
            }

            QMText {
                id: errorText

                objectName: "errorText"
                Layout.fillWidth: true
                text: editor.reason
                font: QM.caption
                color: QM.danger
                wrapMode: Text.Wrap
            }
        }

        RowLayout {
            Layout.fillWidth: true
            spacing: 10

            Item {
                Layout.fillWidth: true
            }

            QMButton {
                objectName: "cancel"
                text: "Cancel"
                kind: QMButtonKind.Ghost
                onClicked: root.close()
            }

            QMButton {
                id: saveButton

                objectName: "save"
                kind: QMButtonKind.Primary
                enabled: editor.canSave && !editor.saving
                // Shown at full strength while checking: the spinner says it is busy.
                opacity: editor.saving ? 1 : QMStyle.buttonOpacity(saveButton.enabled)
                onClicked: editor.save()
                contentItem: RowLayout {
                    spacing: 8

                    QMSpinner {
                        visible: editor.saving
                        running: editor.saving
                        size: 10
                        tint: QM.textOnAccent
                    }

                    QMText {
                        text: editor.saveTitle
                        font: QM.button
                        color: QMStyle.buttonForeground(QMButtonKind.Primary, true, saveButton.hovered)
                    }
                }
            }
        }
    }
}
