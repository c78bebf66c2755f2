import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The button of the guide's category menu, naming the shown category.
AbstractButton {
    id: root

    required property GuidePageModel page

    objectName: "categoryMenuButton"
    implicitWidth: root.implicitContentWidth + root.leftPadding + root.rightPadding
    implicitHeight: 36
    leftPadding: 12
    rightPadding: 12
    hoverEnabled: true
    onClicked: menu.popup(root, 0, root.height + 4)

    contentItem: Row {
        spacing: 8

        Icon {
            anchors.verticalCenter: parent.verticalCenter
            symbol: "line.3.horizontal.decrease"
            size: 12
            color: QM.text1
        }

        QMText {
            objectName: "categoryTitle"
            anchors.verticalCenter: parent.verticalCenter
            width: Math.min(implicitWidth, 220)
            text: root.page.categoryTitle
            font: QM.label
            color: QM.text1
            elide: Text.ElideRight
            maximumLineCount: 1
        }

        Icon {
            anchors.verticalCenter: parent.verticalCenter
            symbol: "chevron.up.chevron.down"
            size: 9.5
            color: QM.text3
        }
    }

    background: QMSurface {
        radius: 10
        color: QM.surface2
    }

    GuideCategoryMenu {
        id: menu

        page: root.page
    }
}
