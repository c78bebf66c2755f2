import QtQuick
import Quillmere

// The home page's Continue watching: a poster a film or episode begun, with where it stopped and
// how much is watched. A click reports the entry resumed, a right click asks for its menu.
Shelf {
    id: root

    signal resumed(string entryID)
    signal menuRequested(string entryID, Item anchor, point position)

    title: "Continue watching"

    // Each card reports through its shelf, which it finds through the shelf's row.
    delegate: QMCardButton {
        id: card

        required property var item
        required property string resumeLine
        required property var progress
        required property string entryID
        readonly property ResumeShelf shelf: (card.ListView.view as ShelfRow).shelf as ResumeShelf

        implicitWidth: 158
        radius: 14
        contentItem: PosterCard {
            width: 158
            item: card.item
            subtitle: card.resumeLine
            progress: card.progress
        }
        onClicked: card.shelf.resumed(card.entryID)

        TapHandler {
            acceptedButtons: Qt.RightButton
            onTapped: point => card.shelf.menuRequested(card.entryID, card, point.position)
        }
    }
}
