import QtQuick
import Quillmere

// An `ItemShelf` of poster cards.
ItemShelf {
    id: root

    delegate: ItemShelfCard {
        id: card

        // The card is a plain child rather than the button's content, so that its height (which
        // follows its width) is never laid out by the button in turn.
        implicitWidth: root.cardWidth
        implicitHeight: poster.implicitHeight
        itemMenu: root.itemMenu
        onClicked: root.activated(card.index)

        PosterCard {
            id: poster

            width: root.cardWidth
            item: card.item
            cardHovered: card.cardHovered
        }
    }
}
