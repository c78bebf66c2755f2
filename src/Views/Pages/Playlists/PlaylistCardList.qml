import QtQuick
import Quillmere

// The cards of the playlists page, one a playlist, 24 apart.
Column {
    id: root

    required property PlaylistsPageModel page

    // A card's "Edit login" for the playlist of that id.
    signal editRequested(var playlistID)

    spacing: 24

    Repeater {
        model: root.page.cards

        // Each card finds the list through its parent, the list itself.
        PlaylistCardView {
            id: card

            readonly property PlaylistCardList cards: card.parent as PlaylistCardList

            width: card.cards ? card.cards.width : 0
            page: card.cards.page
            onEditRequested: card.cards.editRequested(card.playlistID)
        }
    }
}
