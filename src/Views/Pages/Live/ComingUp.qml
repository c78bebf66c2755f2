import QtQuick
import QtQuick.Layouts
import Quillmere

// The channel panel's schedule: up to eight programmes coming up, a spinner while the schedule
// loads, or a line that the channel has no guide.
ColumnLayout {
    id: root

    required property ChannelInfoPanelModel panel

    spacing: 2

    QMOverline {
        Layout.bottomMargin: 8
        visible: root.panel.upcoming.length > 0
        text: "Coming up"
    }

    Repeater {
        model: root.panel.upcoming

        RowLayout {
            id: entry

            required property var modelData

            Layout.fillWidth: true
            Layout.topMargin: 7
            Layout.bottomMargin: 7
            spacing: 12

            QMText {
                Layout.preferredWidth: 58
                Layout.alignment: Qt.AlignBaseline
                text: entry.modelData.time
                font: QM.comingUpTime
                color: QM.text3
            }

            QMText {
                Layout.fillWidth: true
                Layout.alignment: Qt.AlignBaseline
                text: entry.modelData.title
                font: QM.body
                color: QM.text1
                elide: Text.ElideRight
                maximumLineCount: 1
            }
        }
    }

    QMSpinner {
        objectName: "scheduleSpinner"
        visible: root.panel.upcoming.length === 0 && root.panel.loading
        running: visible
        size: 18
    }

    QMText {
        objectName: "noGuide"
        visible: root.panel.upcoming.length === 0 && root.panel.noGuide
        text: "No guide information for this channel."
        font: QM.caption
        color: QM.text3
    }
}
