import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The guide's category menu: a button naming the shown category that lists the favourites, all
// channels and every shown live category.
AbstractButton {
    id: root

    required property GuidePageModel page

    objectName: "categoryMenuButton"
    implicitWidth: label.implicitWidth + root.leftPadding + root.rightPadding
    implicitHeight: 36
    leftPadding: 12
    rightPadding: 12
    hoverEnabled: true
    onClicked: menu.popup(root, 0, root.height + 4)

    contentItem: Row {
        id: label

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

    QMMenu {
        id: menu

        objectName: "categoryMenu"

        QMMenuItem {
            objectName: "favouritesEntry"
            text: "Favourites"
            onTriggered: root.page.showFavourites()
        }

        QMMenuItem {
            objectName: "allChannelsEntry"
            text: "All channels"
            onTriggered: root.page.showAllChannels()
        }

        QMMenuSeparator {}

        Instantiator {
            model: root.page.categoryNames
            onObjectAdded: (index, entry) => menu.insertItem(index + 3, entry)
            onObjectRemoved: (index, entry) => menu.removeItem(entry)

            delegate: QMMenuItem {
                required property string modelData
                required property int index

                text: modelData
                onTriggered: root.page.showCategory(index)
            }
        }
    }
}
