import QtQuick
import QtQuick.Layouts
import Quillmere

// The channel panel's card of the programme on now: title, times, time left, progress and
// description.
QMSurface {
    id: root

    required property ChannelInfoPanelModel panel

    objectName: "onNowCard"
    color: QM.surface1
    radius: 14
    implicitHeight: content.implicitHeight + 32

    ColumnLayout {
        id: content

        x: 16
        y: 16
        width: root.width - 32
        spacing: 8

        QMOverline {
            text: "On now"
        }

        QMText {
            objectName: "onNowTitle"
            Layout.fillWidth: true
            text: root.panel.currentTitle
            font: QM.h3
            color: QM.text1
            wrapMode: Text.Wrap
        }

        RowLayout {
            Layout.fillWidth: true

            QMText {
                text: root.panel.currentRange
                font: QM.caption
                color: QM.text2
            }

            Item { Layout.fillWidth: true }

            QMText {
                objectName: "onNowRemaining"
                text: root.panel.currentRemaining
                font: QM.caption
                color: QM.accent
            }
        }

        QMProgressLine {
            Layout.fillWidth: true
            implicitHeight: 4
            value: root.panel.currentProgress
            tint: QM.accent
        }

        QMText {
            Layout.fillWidth: true
            Layout.topMargin: 4
            visible: text.length > 0
            text: root.panel.currentDescription
            font: QM.body
            color: QM.text2
            lineHeight: 1.0 + 3 / 17
            wrapMode: Text.Wrap
        }
    }
}
