import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// One labelled input of the playlist editor. `edited(text)` reports the user's typing,
// `entryFinished()` that the user left the field or pressed Return in it.
Column {
    id: root

    property string label
    property string placeholder
    property string text
    property bool secure: false
    readonly property alias input: field

    signal edited(string text)
    signal entryFinished()

    spacing: 6

    QMText {
        text: root.label
        font: QM.small
        color: QM.text2
    }

    TextField {
        id: field

        width: root.width
        height: 38
        leftPadding: 12
        rightPadding: 12
        topPadding: 0
        bottomPadding: 0
        verticalAlignment: TextInput.AlignVCenter
        text: root.text
        placeholderText: root.placeholder
        placeholderTextColor: QM.text3
        echoMode: root.secure ? TextInput.Password : TextInput.Normal
        font: QM.body
        color: QM.text1
        selectionColor: QM.accentSoft
        selectedTextColor: QM.text1
        onTextEdited: root.edited(field.text)
        onEditingFinished: root.entryFinished()

        background: QMSurface {
            color: QM.surface2
            radius: 10
            focused: field.activeFocus
        }
    }
}
