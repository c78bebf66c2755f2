import QtQuick
import Quillmere

// One card of an `ItemShelf` around a poster or channel card of the row's item: a right click
// opens the item menu.
QMCardButton {
    id: card

    required property var item
    required property int index
    required property ItemMenu itemMenu

    radius: 14

    TapHandler {
        acceptedButtons: Qt.RightButton
        onTapped: point => card.itemMenu.openFor(card.item, card, point.position)
    }
}
