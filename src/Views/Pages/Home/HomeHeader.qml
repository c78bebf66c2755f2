import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The top of the home page: the greeting and the library's summary, and the search button with
// its key hint.
RowLayout {
    id: root

    required property HomePageModel page

    spacing: 8

    ColumnLayout {
        Layout.alignment: Qt.AlignTop
        Layout.fillWidth: true
        Layout.minimumWidth: 0
        spacing: 6

        QMText {
            objectName: "greeting"
            Layout.fillWidth: true
            text: root.page.greeting
            font: QM.display
            color: QM.text1
            elide: Text.ElideRight
        }

        QMText {
            objectName: "summary"
            Layout.fillWidth: true
            text: root.page.summary
            font: QM.summary
            color: QM.text2
            elide: Text.ElideRight
        }
    }

    QMButton {
        objectName: "searchButton"
        Layout.alignment: Qt.AlignTop
        kind: QMButtonKind.Secondary
        spacing: 8
        symbol: "magnifyingglass"
        text: "Search"
        keys: "Ctrl+K"
        onClicked: root.page.openSearch()
    }
}
