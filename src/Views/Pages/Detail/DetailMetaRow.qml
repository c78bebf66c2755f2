import QtQuick
import Quillmere

// The detail page's meta row: rating, year, genre, season and episode counts, and the film's
// format, each only when there is something to show.
Row {
    id: root

    required property DetailPageModel page

    spacing: 10

    Row {
        objectName: "rating"
        anchors.verticalCenter: parent.verticalCenter
        visible: root.page.ratingText.length > 0
        spacing: 4

        Icon {
            anchors.verticalCenter: parent.verticalCenter
            symbol: "star.fill"
            size: 13
            color: QM.warning
        }

        QMText {
            anchors.verticalCenter: parent.verticalCenter
            text: root.page.ratingText
            font: QM.metaStrong
            color: QM.text1
        }
    }

    Repeater {
        model: [root.page.yearText, root.page.genreText, root.page.countsText]

        QMText {
            required property string modelData

            anchors.verticalCenter: parent.verticalCenter
            visible: modelData.length > 0
            text: modelData
            font: QM.meta
            color: QM.text2
        }
    }

    QMBadge {
        objectName: "format"
        anchors.verticalCenter: parent.verticalCenter
        visible: root.page.formatBadge.length > 0
        text: root.page.formatBadge
        color: QM.text2
        fill: QM.badgeFill
    }
}
