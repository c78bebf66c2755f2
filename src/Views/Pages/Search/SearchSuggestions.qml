import QtQuick
import QtQuick.Layouts
import Quillmere

// What the search page shows before there is a term: the recent terms as chips, or a tip when
// there are none.
Item {
    id: root

    required property SearchPageModel page

    implicitHeight: root.page.recent.length > 0 ? recent.implicitHeight : tip.implicitHeight

    ColumnLayout {
        id: recent

        objectName: "recentSearches"
        anchors.left: parent.left
        anchors.right: parent.right
        visible: root.page.recent.length > 0
        spacing: 12

        RowLayout {
            Layout.fillWidth: true

            QMOverline {
                Layout.fillWidth: true
                text: "Recent searches"
            }

            QMButton {
                objectName: "clearRecent"
                text: "Clear"
                kind: QMButtonKind.Ghost
                compact: true
                onClicked: root.page.clearRecent()
            }
        }

        RecentChips {
            Layout.fillWidth: true
            terms: root.page.recent
            onChosen: term => root.page.chooseRecent(term)
        }
    }

    QMSurface {
        id: tip

        objectName: "searchTip"
        anchors.left: parent.left
        anchors.right: parent.right
        visible: !recent.visible
        implicitHeight: tipRow.implicitHeight + 40
        color: QM.surface1
        radius: 14

        RowLayout {
            id: tipRow

            anchors.fill: parent
            anchors.margins: 20
            spacing: 14

            Rectangle {
                implicitWidth: 40
                implicitHeight: 40
                radius: 20
                antialiasing: true
                color: QM.accentSoft

                Icon {
                    anchors.centerIn: parent
                    symbol: "lightbulb"
                    size: 16
                    color: QM.accent
                }
            }

            ColumnLayout {
                Layout.fillWidth: true
                spacing: 3

                QMText {
                    Layout.fillWidth: true
                    text: "Search everything at once"
                    font: QM.h3
                    color: QM.text1
                    wrapMode: Text.Wrap
                }

                QMText {
                    Layout.fillWidth: true
                    text: "Type at least two letters. Press Ctrl+K from anywhere to come back here."
                    font: QM.body
                    color: QM.text2
                    wrapMode: Text.Wrap
                }
            }
        }
    }
}
