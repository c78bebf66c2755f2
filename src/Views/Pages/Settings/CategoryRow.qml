import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// One category of the category settings: its name, count and hidden-language badge, with the
// move buttons and its own show/hide switch.
Item {
    id: root

    required property CategorySettingsModel settings
    required property int index
    required property string name
    required property string count
    required property bool dimmed
    required property bool ownHidden
    required property string badge

    implicitHeight: 44

    RowLayout {
        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 16
        spacing: 12

        QMText {
            objectName: "name"
            // As wide as the name, but giving way (cut short) to what follows it when the row is
            // too narrow: a width that is only preferred would push the buttons out of the row.
            Layout.fillWidth: true
            Layout.maximumWidth: Math.ceil(implicitWidth)
            Layout.minimumWidth: 24
            text: root.name
            font: QM.body
            color: root.dimmed ? QM.text3 : QM.text1
            elide: Text.ElideRight
            maximumLineCount: 1
        }

        QMText {
            text: root.count
            font: QM.caption
            color: QM.text3
        }

        QMBadge {
            objectName: "badge"
            visible: root.badge.length > 0
            text: root.badge
            color: QM.text2
            fill: QM.badgeFill
        }

        Item {
            Layout.fillWidth: true
        }

        CategoryRowButton {
            objectName: "moveTop"
            symbol: "arrow.up.to.line"
            help: "Move to top"
            enabled: root.settings.canMove
            onClicked: root.settings.moveToTop(root.index)
        }

        CategoryRowButton {
            objectName: "moveUp"
            symbol: "chevron.up"
            help: "Move up"
            enabled: root.settings.canMove
            onClicked: root.settings.moveUp(root.index)
        }

        CategoryRowButton {
            objectName: "moveDown"
            symbol: "chevron.down"
            help: "Move down"
            enabled: root.settings.canMove
            onClicked: root.settings.moveDown(root.index)
        }

        CategoryRowButton {
            objectName: "hide"
            symbol: root.ownHidden ? "eye.slash" : "eye"
            help: root.ownHidden ? "Show category" : "Hide category"
            tint: root.ownHidden ? QM.text3 : QM.accent
            onClicked: root.settings.toggleCategory(root.index)
        }
    }

    Rectangle {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.leftMargin: 16
        height: 1
        color: QM.stroke
    }
}
