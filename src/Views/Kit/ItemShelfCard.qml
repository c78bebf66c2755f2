import QtQuick
import Quillmere

// One card of an `ItemShelf` around a poster or channel card of the row's item, as wide as the
// shelf's cards: a click activates it, a right click opens the shelf's item menu.
QMCardButton {
    id: card

    required property var item
    required property int index
    readonly property ItemShelf shelf: (card.ListView.view as ShelfRow).shelf as ItemShelf

    implicitWidth: card.shelf.cardWidth
    radius: 14
    onClicked: card.shelf.activated(card.index)

    TapHandler {
        acceptedButtons: Qt.RightButton
        onTapped: point => card.shelf.itemMenu.openFor(card.item, card, point.position)
    }
}
