import QtQuick
import QtQuick.Layouts
import Quillmere

// The running refresh of a playlist card: the step, the import's progress and "Cancel".
Rectangle {
    id: root

    property string step
    property bool importing: false
    property int progress: 0
    property string progressText

    signal cancelled()

    objectName: "refreshPanel"
    implicitHeight: column.implicitHeight + 28
    radius: 10
    antialiasing: true
    color: QM.surface2

    ColumnLayout {
        id: column

        anchors.fill: parent
        anchors.margins: 14
        spacing: 8

        RowLayout {
            Layout.fillWidth: true
            spacing: 8

            QMSpinner {
                size: 12
                running: root.visible
            }

            QMText {
                objectName: "step"
                Layout.fillWidth: true
                text: root.step
                font: QM.label
                color: QM.text1
                elide: Text.ElideRight
            }

            QMText {
                objectName: "percent"
                visible: root.importing
                text: root.progressText
                font: QM.caption
                color: QM.text3
            }

            QMButton {
                objectName: "cancel"
                text: "Cancel"
                kind: QMButtonKind.Ghost
                compact: true
                onClicked: root.cancelled()
            }
        }

        QMProgressLine {
            Layout.fillWidth: true
            Layout.preferredHeight: 4
            visible: root.importing
            value: root.progress / 100
            tint: QM.accent
        }
    }
}
