import QtQuick
import QtQuick.Layouts
import Quillmere

// A notice with an action and a close button, on a raised card at most 520 px wide; its text
// wraps to a second line rather than widening the card.
Item {
    id: root

    property string symbol
    property color tint: QM.accent
    property string text
    property string actionTitle

    signal action()
    signal close()

    readonly property real maximumWidth: 520

    implicitWidth: Math.min(root.maximumWidth, Math.ceil(row.implicitWidth) + 32)
    implicitHeight: row.implicitHeight + 20

    QMShadow {
        anchors.fill: card
        z: -1
        radius: card.radius
        blur: 18
        offsetY: 8
        shadowColor: QM.shadowNotice
    }

    Rectangle {
        id: card

        anchors.fill: parent
        radius: 10
        antialiasing: true
        color: QM.surface3
        border.width: 1
        border.color: QM.strokeStrong
    }

    RowLayout {
        id: row

        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 16
        anchors.topMargin: 10
        anchors.bottomMargin: 10
        spacing: 12

        Icon {
            symbol: root.symbol
            size: 15
            color: root.tint
        }

        QMText {
            objectName: "bannerText"
            // As wide as the text while the card has room, narrower (wrapping) once it has not.
            Layout.fillWidth: true
            Layout.preferredWidth: Math.ceil(implicitWidth)
            Layout.maximumWidth: Math.ceil(implicitWidth)
            text: root.text
            font: QM.label
            color: QM.text1
            wrapMode: Text.Wrap
            maximumLineCount: 2
            elide: Text.ElideRight
        }

        QMButton {
            objectName: "bannerAction"
            text: root.actionTitle
            kind: QMButtonKind.Primary
            compact: true
            onClicked: root.action()
        }

        QMIconButton {
            objectName: "bannerClose"
            symbol: "xmark"
            size: 34
            filled: false
            tint: QM.text1
            Accessible.name: "Dismiss"
            onClicked: root.close()
        }
    }
}
