import QtQuick
import Quillmere

// Opens a fresh playlist editor sheet, and lets go of it when the sheet closes.
Loader {
    id: root

    // The playlist whose login is edited; 0 adds a playlist.
    property var playlistID: 0

    function open(playlistID: var): void {
        root.playlistID = playlistID;
        root.active = true;
    }

    active: false
    sourceComponent: PlaylistEditor {
        playlistID: root.playlistID
        onClosed: root.active = false
        Component.onCompleted: open()
    }
}
