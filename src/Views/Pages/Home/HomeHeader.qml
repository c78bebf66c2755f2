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
        id: search

        objectName: "searchButton"
        Layout.alignment: Qt.AlignTop
        kind: QMButtonKind.Secondary
        text: "Search"
        onClicked: root.page.openSearch()

        contentItem: Item {
            implicitWidth: label.implicitWidth
            implicitHeight: label.implicitHeight

            Row {
                id: label

                anchors.centerIn: parent
                spacing: 8

                Icon {
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: "magnifyingglass"
                    size: 12.5
                    color: QMStyle.buttonForeground(search.kind, search.enabled, search.hovered)
                }

                QMText {
                    anchors.verticalCenter: parent.verticalCenter
                    text: search.text
                    font: QM.button
                    color: QMStyle.buttonForeground(search.kind, search.enabled, search.hovered)
                }

                Rectangle {
                    anchors.verticalCenter: parent.verticalCenter
                    implicitWidth: hint.implicitWidth + 12
                    implicitHeight: hint.implicitHeight + 4
                    radius: 5
                    antialiasing: true
                    color: QM.surface3

                    QMText {
                        id: hint

                        anchors.centerIn: parent
                        text: "Ctrl+K"
                        font: QM.keyCap
                        color: QM.text3
                    }
                }
            }
        }
    }
}
