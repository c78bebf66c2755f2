import QtQuick
import QtQuick.Layouts
import Quillmere

// The title row at the top of a page: a large title, an optional one-line subtitle, and the
// page's own buttons at the trailing end, 16 px on either side of a gap of at least 12 px:
// `PageHeader { title: "Live TV"; subtitle: "1,204 channels"; QMButton { text: "Refresh" } }`.
// Where the texts and the buttons do not both fit at their full width (a narrow window, a long
// category name), the buttons go under the texts, so that neither is cut.
Item {
    id: root

    property string title
    property string subtitle
    default property alias trailing: trailingRow.data

    readonly property bool hasTrailing: trailingRow.children.length > 0
    readonly property bool stacked: root.hasTrailing
                                    && root.width < texts.implicitWidth + 2 * grid.columnSpacing + 12 + trailingRow.implicitWidth

    // As wide as its place; the width decides the form, never the other way round.
    implicitHeight: grid.implicitHeight

    GridLayout {
        id: grid

        width: root.width
        height: root.height
        columns: root.stacked ? 1 : 3
        columnSpacing: 16
        rowSpacing: 14

        ColumnLayout {
            id: texts

            // Beside the buttons the texts take their own width; alone on their line, all of it.
            Layout.fillWidth: root.stacked || !root.hasTrailing
            Layout.minimumWidth: 0
            spacing: 4

            QMText {
                objectName: "pageTitle"
                Layout.fillWidth: true
                text: root.title
                font: QM.h1
                color: QM.text1
                elide: Text.ElideRight
                maximumLineCount: 1
            }

            QMText {
                objectName: "pageSubtitle"
                Layout.fillWidth: true
                visible: root.subtitle.length > 0
                text: root.subtitle
                font: QM.caption
                color: QM.text3
                elide: Text.ElideRight
                maximumLineCount: 1
            }
        }

        Item {
            Layout.fillWidth: true
            Layout.minimumWidth: 12
            visible: root.hasTrailing && !root.stacked
        }

        Row {
            id: trailingRow

            Layout.alignment: root.stacked ? Qt.AlignLeft | Qt.AlignVCenter : Qt.AlignVCenter
            visible: root.hasTrailing
            spacing: 8
        }
    }
}
