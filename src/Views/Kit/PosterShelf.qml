import QtQuick
import Quillmere

// An `ItemShelf` of poster cards.
ItemShelf {
    id: root

    delegate: ItemShelfCard {
        id: card

        // The card is a plain child rather than the button's content, so that its height (which
        // follows its width) is never laid out by the button in turn.
        implicitHeight: poster.implicitHeight

        PosterCard {
            id: poster

            width: card.implicitWidth
            item: card.item
            cardHovered: card.cardHovered
        }
    }
}
