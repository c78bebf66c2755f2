import QtQuick
import Quillmere

// Opens a fresh playlist editor sheet while active, and lets go of it when the sheet closes.
Loader {
    id: root

    // 0 adds a playlist.
    property var playlistID: 0

    active: false
    sourceComponent: PlaylistEditor {
        playlistID: root.playlistID
        onClosed: root.active = false
        Component.onCompleted: open()
    }
}
