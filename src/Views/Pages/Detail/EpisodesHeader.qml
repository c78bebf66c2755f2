import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The top of a series' episodes section: its heading with a spinner while the list loads, the
// season chips when there are two seasons or more, and the one line shown instead of an empty
// list.
ColumnLayout {
    id: root

    required property DetailPageModel page

    spacing: 18

    RowLayout {
        spacing: 14

        QMText {
            text: "Episodes"
            font: QM.h2
            color: QM.text1
        }

        QMSpinner {
            objectName: "episodesSpinner"
            size: 14
            visible: root.page.loadingEpisodes
            running: root.page.loadingEpisodes
        }
    }

    Flickable {
        objectName: "seasonPicker"
        Layout.fillWidth: true
        implicitHeight: seasons.implicitHeight
        visible: root.page.seasonChips.length >= 2
        contentWidth: seasons.implicitWidth
        flickableDirection: Flickable.HorizontalFlick
        boundsBehavior: Flickable.StopAtBounds
        clip: true

        SeasonChips {
            id: seasons

            chips: root.page.seasonChips
            onChosen: season => root.page.chooseSeason(season)
        }
    }

    QMText {
        objectName: "episodesMessage"
        Layout.fillWidth: true
        visible: root.page.episodesMessage.length > 0
        text: root.page.episodesMessage
        font: QM.body
        color: root.page.episodesMessageIsError ? QM.warning : QM.text3
        wrapMode: Text.Wrap
    }
}
