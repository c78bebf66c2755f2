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
            shadowColor: QM.shadowDeep
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

        QMText {
            objectName: "title"
            Layout.fillWidth: true
            text: TitleText.isolated(root.page.title)
            font: QM.heroTitle
            color: QM.text1
            wrapMode: Text.Wrap
            maximumLineCount: 3
            elide: Text.ElideRight
        }

        DetailMetaRow {
            page: root.page
        }

        QMText {
            objectName: "plot"
            Layout.fillWidth: true
            Layout.maximumWidth: 720
            visible: root.page.plot.length > 0
            text: root.page.plot
            font: QM.lead
            color: QM.text2
            lineHeightMode: Text.FixedHeight
            lineHeight: plotMetrics.height + 4
            wrapMode: Text.Wrap

            FontMetrics {
                id: plotMetrics

                font: QM.lead
            }
        }

        DetailActions {
            Layout.topMargin: 6
            page: root.page
        }
    }
}
