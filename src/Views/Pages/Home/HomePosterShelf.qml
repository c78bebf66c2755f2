import QtQuick
import Quillmere

// A home shelf of posters (My list, New movies, New series): a click plays a channel or opens a
// title's detail page, a right click opens the item menu.
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
        contentItem: PosterCard {
            width: 158
            item: card.item
        }
        onClicked: root.page.openPoster(root.items, card.index)

        TapHandler {
            acceptedButtons: Qt.RightButton
            onTapped: point => root.itemMenu.openFor(card.item, card, point.position)
        }
    }
}
