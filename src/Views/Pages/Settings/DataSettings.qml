import QtQuick
import Quillmere

// The "Privacy & data" section: the watch history switch, clearing history, favourites and
// artwork, and the data folder.
Column {
    id: root

    spacing: 18

    DataSettingsModel {
        id: privacy

        objectName: "dataSettings"
        app: AppModel
        artwork: ArtworkMemory
    }

    SettingsGroup {
        width: root.width

        SettingToggleRow {
            title: "Keep watch history"
            detail: "Powers Recently watched and Continue watching"
            key: "quillmere.keepWatchHistory"
        }
        SettingsRow {
            title: "Clear watch history"

            QMButton {
                objectName: "clearHistory"
                text: "Clear\u2026"
                kind: QMButtonKind.Danger
                compact: true
                onClicked: privacy.askToClear("history")
            }
        }
        SettingsRow {
            title: "Clear favourites"

            QMButton {
                objectName: "clearFavourites"
                text: "Clear\u2026"
                kind: QMButtonKind.Danger
                compact: true
                onClicked: privacy.askToClear("favourites")
            }
        }
        SettingsRow {
            title: "Artwork cache"
            detail: "Posters and logos saved for speed (up to 256 MB)"

            QMButton {
                objectName: "clearArtwork"
                text: "Clear"
                kind: QMButtonKind.Secondary
                compact: true
                onClicked: privacy.clearArtwork()
            }
        }
        SettingsRow {
            title: "Data folder"
            detail: privacy.dataFolder
            last: true

            QMButton {
                objectName: "showDataFolder"
                text: "Show in file manager"
                kind: QMButtonKind.Secondary
                compact: true
                onClicked: privacy.showDataFolder()
            }
        }
    }

    QMConfirmDialog {
        objectName: "clearConfirmation"
        shown: privacy.confirm.length > 0
        title: privacy.confirmTitle
        actionTitle: "Clear"
        onAccepted: privacy.clearConfirmed()
        onDismissed: privacy.dismiss()
    }
}
