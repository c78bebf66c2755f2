import QtQuick
import Quillmere

// Opens a fresh playlist editor sheet, and lets go of it when the sheet closes.
Loader {
    id: root

    // Opens the sheet for the playlist whose login is edited, or for a new playlist with 0.
    function open(playlistID: var): void {
        root.source = "";
        root.setSource(Qt.resolvedUrl("PlaylistEditor.qml"), { playlistID: playlistID });
    }

    onLoaded: (root.item as PlaylistEditor).open()

    Connections {
        target: root.item as PlaylistEditor

        function onClosed(): void {
            root.source = "";
        }
    }
}
