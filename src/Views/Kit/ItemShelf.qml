import QtQuick
import Quillmere

// A shelf of catalogue items with the item menu on their cards; `PosterShelf` and `ChannelShelf`
// give it its cards: `PosterShelf { title: "New movies"; items: page.newMovies; cardWidth: 158;
// itemMenu: menu; onActivated: index => page.openPoster(page.newMovies, index) }`. It shows only
// while it has items.
Shelf {
    id: root

    required property MediaItemListModel items
    required property ItemMenu itemMenu
    property real cardWidth: 158

    // A card was clicked.
    signal activated(int index)

    visible: root.items.count > 0
    model: root.items
}
