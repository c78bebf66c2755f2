import QtQuick
import QtQuick.Layouts
import Quillmere

// The title row at the top of a page: a large title, an optional one-line subtitle, and the
// page's own buttons at the trailing end, which keep at least 12 px from the texts:
// `PageHeader { title: "Live TV"; subtitle: "1,204 channels"; QMButton { text: "Refresh" } }`.
RowLayout {
    id: root

    property string title
    property string subtitle
    default property alias trailing: trailingRow.data

    // The trailing buttons keep at least this much room from the texts.
    spacing: 12

    ColumnLayout {
        Layout.fillWidth: true
        Layout.minimumWidth: 0
        spacing: 4

        Text {
            objectName: "pageTitle"
            Layout.fillWidth: true
            text: root.title
            font: QM.h1
            color: QM.text1
            elide: Text.ElideRight
            maximumLineCount: 1
            textFormat: Text.PlainText
        }

        Text {
            objectName: "pageSubtitle"
            Layout.fillWidth: true
            visible: root.subtitle.length > 0
            text: root.subtitle
            font: QM.caption
            color: QM.text3
            elide: Text.ElideRight
            maximumLineCount: 1
            textFormat: Text.PlainText
        }
    }

    Row {
        id: trailingRow

        Layout.alignment: Qt.AlignVCenter
        visible: trailingRow.children.length > 0
        spacing: 8
    }
}
