import QtQuick
import QtQuick.Controls.Basic
import Quillmere

// The playlists page: one card a playlist, with the way to add another in its header.
Rectangle {
    id: root

    objectName: "playlistsPage"
    color: QM.bg0

    PlaylistsPageModel {
        id: pageModel

        objectName: "pageModel"
        app: AppModel
    }

    Flickable {
        id: scroller

        anchors.fill: parent
        clip: true
        contentWidth: width
        contentHeight: column.height
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        Column {
            id: column

            x: 40
            width: Math.max(0, Math.min(scroller.width - 80, 1100))
            topPadding: 42
            bottomPadding: 40
            spacing: 24

            PageHeader {
                width: column.width
                title: "Playlists"
                subtitle: "Your providers, their catalogues and TV guides"

                QMButton {
                    objectName: "addPlaylist"
                    text: "Add playlist"
                    symbol: "plus"
                    kind: QMButtonKind.Primary
                    onClicked: editorLoader.open(0)
                }
            }

            PlaylistCardList {
                width: column.width
                page: pageModel
                onEditRequested: playlistID => editorLoader.open(playlistID)
            }
        }
    }

    PlaylistEditorLoader {
        id: editorLoader
    }

    QMConfirmDialog {
        objectName: "removeConfirmation"
        shown: pageModel.confirmingRemoval
        title: pageModel.removeTitle
        message: "Its channels, films, guide, favourites and history are deleted from this computer. The login is removed from your keyring."
        actionTitle: "Remove playlist"
        onAccepted: pageModel.removeConfirmed()
        onDismissed: pageModel.dismissRemove()
    }
}
