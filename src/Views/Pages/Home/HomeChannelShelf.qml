import QtQuick
import Quillmere

// A home shelf of channels: a click plays the channel with the shelf's channels to switch
// through, a right click opens the item menu.
Shelf {
    id: root

    required property HomePageModel page
    required property ItemMenu itemMenu
    required property MediaItemListModel items

    visible: root.items.count > 0
    model: root.items
    delegate: QMCardButton {
        id: card

        required property var item
        required property int index

        radius: 14
        contentItem: ChannelCard {
            width: 220
            item: card.item
        }
        onClicked: root.page.playChannel(root.items, card.index)

        TapHandler {
            acceptedButtons: Qt.RightButton
            onTapped: point => root.itemMenu.openFor(card.item, card, point.position)
        }
    }
}
