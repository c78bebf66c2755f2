import QtQuick
import Quillmere

// An `ItemShelf` of channel cards.
ItemShelf {
    id: root

    delegate: ItemShelfCard {
        id: card

        // As in PosterShelf: a plain child, sized by its own width.
        implicitWidth: root.cardWidth
        implicitHeight: channel.implicitHeight
        itemMenu: root.itemMenu
        onClicked: root.activated(card.index)

        ChannelCard {
            id: channel

            width: root.cardWidth
            item: card.item
            cardHovered: card.cardHovered
        }
    }
}
