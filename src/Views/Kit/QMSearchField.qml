import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The search and filter field: a magnifying glass, the text and, while there is text, a clear
// button. Bind it both ways with `text: model.query; onTextEdited: model.query = text`; Return
// emits `submitted`. Clicking the field gives it keyboard focus; `focusField()` does the same.
FocusScope {
    id: root

    property alias text: field.text
    property string prompt
    readonly property bool fieldFocused: field.activeFocus

    // The user changed the text, by typing or with the clear button.
    signal textEdited()
    signal submitted()

    function focusField(): void {
        field.forceActiveFocus();
    }

    implicitWidth: 240
    implicitHeight: 36

    QMSurface {
        anchors.fill: parent
        color: QM.surface2
        radius: 10
        focused: field.activeFocus
    }

    Row {
        anchors.fill: parent
        anchors.leftMargin: 12
        anchors.rightMargin: 12
        spacing: 8

        Icon {
            id: glass

            anchors.verticalCenter: parent.verticalCenter
            symbol: "magnifyingglass"
            size: 13
            color: QM.text3
        }

        TextField {
            id: field

            objectName: "searchText"
            anchors.verticalCenter: parent.verticalCenter
            width: parent.width - glass.width - parent.spacing
                   - (clear.visible ? clear.width + parent.spacing : 0)
            padding: 0
            background: null
            font: QM.body
            color: QM.text1
            placeholderText: root.prompt
            placeholderTextColor: QM.text3
            selectionColor: QM.accentSoft
            selectedTextColor: QM.text1
            focus: true
            onTextEdited: root.textEdited()
            onAccepted: root.submitted()
        }

        AbstractButton {
            id: clear

            objectName: "clearButton"
            anchors.verticalCenter: parent.verticalCenter
            visible: field.text.length > 0
            focusPolicy: Qt.NoFocus
            padding: 0
            contentItem: Icon {
                symbol: "xmark.circle.fill"
                size: 13
                color: QM.text3
            }
            onClicked: {
                field.clear();
                root.textEdited();
            }
        }
    }
}
