import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import QtQuick.Templates as T
import Quillmere

// The sheet of a programme picked in the guide: its channel, title, day and times, progress while
// on air and description, with Close (Escape) and the watch button (Return).
Popup {
    id: root

    required property GuidePageModel page

    objectName: "programmeSheet"
    parent: T.Overlay.overlay
    anchors.centerIn: parent
    width: 520
    padding: 26
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    visible: true
    onClosed: sheet.close()

    T.Overlay.modal: Rectangle {
        color: QM.scrim
    }

    ProgrammeSheetModel {
        id: sheet

        page: root.page
    }

    background: QMSurface {
        color: QM.surface1
        radius: 16
    }

    // The one child of the sheet: its content, which sets the sheet's height.
    ColumnLayout {
        anchors.fill: parent
        spacing: 16
        focus: true
        Keys.onReturnPressed: sheet.watch()
        Keys.onEnterPressed: sheet.watch()

        RowLayout {
            spacing: 12

            ChannelLogo {
                url: sheet.channelArtwork
                title: sheet.channelName
                size: 34
            }

            QMText {
                objectName: "sheetChannel"
                Layout.fillWidth: true
                text: sheet.channelTitle
                font: QM.label
                color: QM.text2
                elide: Text.ElideRight
                maximumLineCount: 1
            }

            LiveBadge {
                objectName: "sheetLiveBadge"
                visible: sheet.live
            }
        }

        QMText {
            objectName: "sheetTitle"
            Layout.fillWidth: true
            text: sheet.title
            font: QM.h2
            color: QM.text1
            wrapMode: Text.Wrap
        }

        QMText {
            objectName: "sheetTimes"
            Layout.fillWidth: true
            text: sheet.timeLine
            font: QM.caption
            color: QM.text3
            wrapMode: Text.Wrap
        }

        QMProgressLine {
            objectName: "sheetProgress"
            Layout.fillWidth: true
            implicitHeight: 4
            visible: sheet.live
            value: sheet.progress
            tint: QM.accent
        }

        ScrollView {
            objectName: "sheetDescription"
            Layout.fillWidth: true
            Layout.preferredHeight: Math.min(description.implicitHeight, 220)
            contentWidth: availableWidth
            ScrollBar.vertical.policy: description.implicitHeight > 220 ? ScrollBar.AlwaysOn : ScrollBar.AsNeeded

            QMText {
                id: description

                width: parent.width
                text: sheet.description
                font: QM.body
                color: QM.text2
                lineHeight: 1.0 + 3 / 17
                wrapMode: Text.Wrap
            }
        }

        RowLayout {
            Layout.topMargin: 4
            spacing: 10

            Item { Layout.fillWidth: true }

            QMButton {
                objectName: "closeButton"
                text: "Close"
                kind: QMButtonKind.Ghost
                onClicked: root.close()
            }

            QMButton {
                objectName: "watchButton"
                text: sheet.watchTitle
                symbol: "play.fill"
                kind: QMButtonKind.Primary
                onClicked: sheet.watch()
            }
        }
    }
}
