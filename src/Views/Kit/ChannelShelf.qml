import QtQuick
import Quillmere

// An `ItemShelf` of channel cards.
ItemShelf {
    id: root

    delegate: ItemShelfCard {
        id: card

        // As in PosterShelf: a plain child, sized by its own width.
        implicitHeight: channel.implicitHeight

        ChannelCard {
            id: channel

            width: card.implicitWidth
            item: card.item
            cardHovered: card.cardHovered
        }
    }
}
