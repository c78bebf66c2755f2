import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The search page's large field over the application model's search text, with a spinner while
// a search runs and a clear button while there is text. Return remembers the term.
QMSurface {
    id: root

    required property SearchPageModel page

    function focusField(): void {
        field.forceActiveFocus();
    }

    implicitHeight: 56
    focused: field.activeFocus

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 18
        anchors.rightMargin: 18
        spacing: 12

        Icon {
            symbol: "magnifyingglass"
            size: 18
            color: QM.text3
        }

        TextField {
            id: field

            objectName: "searchText"
            Layout.fillWidth: true
            padding: 0
            background: null
            font: QM.searchText
            color: QM.text1
            placeholderText: "Channels, movies and series"
            placeholderTextColor: QM.text3
            selectionColor: QM.accentSoft
            selectedTextColor: QM.text1
            text: AppModel.searchText
            onTextEdited: AppModel.searchText = field.text
            onAccepted: root.page.submit()
        }

        QMSpinner {
            objectName: "searchSpinner"
            size: 18
            visible: root.page.searching
            running: root.page.searching
        }

        AbstractButton {
            objectName: "clearText"
            visible: root.page.clearVisible
            focusPolicy: Qt.NoFocus
            padding: 0
            contentItem: Icon {
                symbol: "xmark.circle.fill"
                size: 16
                color: QM.text3
            }
            onClicked: root.page.clearText()
        }
    }
}
