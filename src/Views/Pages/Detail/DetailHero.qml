import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The top of the detail page: the poster, and beside it the kind, the title, the meta row, the
// plot and the actions.
RowLayout {
    id: root

    required property DetailPageModel page

    spacing: 36

    Item {
        Layout.alignment: Qt.AlignTop
        implicitWidth: 250
        implicitHeight: 375

        QMShadow {
            anchors.fill: parent
            radius: 16
            blur: 30
            offsetY: 16
            shadowColor: Qt.rgba(0, 0, 0, 0.5)
        }

        Artwork {
            objectName: "poster"
            anchors.fill: parent
            memory: ArtworkMemory
            url: root.page.artworkURL
            title: root.page.title
            contentMode: Artwork.Fill
            maxPixel: 640
            fallbackFont: 40
            logoPadding: 0
            radius: 16
        }

        Rectangle {
            anchors.fill: parent
            radius: 16
            antialiasing: true
            color: "transparent"
            border.width: 1
            border.color: QM.strokeStrong
        }
    }

    ColumnLayout {
        Layout.alignment: Qt.AlignTop
        Layout.topMargin: 8
        Layout.fillWidth: true
        Layout.minimumWidth: 0
        spacing: 16

        QMOverline {
            text: root.page.kindLabel
        }

        Text {
            objectName: "title"
            Layout.fillWidth: true
            text: TitleText.isolated(root.page.title)
            font: QM.font(36, 700)
            color: QM.text1
            wrapMode: Text.Wrap
            maximumLineCount: 3
            elide: Text.ElideRight
            textFormat: Text.PlainText
        }

        DetailMetaRow {
            page: root.page
        }

        Text {
            objectName: "plot"
            Layout.fillWidth: true
            Layout.maximumWidth: 720
            visible: root.page.plot.length > 0
            text: root.page.plot
            font: QM.font(15, 400)
            color: QM.text2
            lineHeightMode: Text.FixedHeight
            lineHeight: plotMetrics.height + 4
            wrapMode: Text.Wrap
            textFormat: Text.PlainText

            FontMetrics {
                id: plotMetrics

                font: QM.font(15, 400)
            }
        }

        DetailActions {
            Layout.topMargin: 6
            page: root.page
        }
    }
}
