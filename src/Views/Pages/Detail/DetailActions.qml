import QtQuick
import Quillmere

// The detail page's actions: play, resume or start over for a film, the next episode and
// Refresh for a series, and My list for both.
Row {
    id: root

    required property DetailPageModel page

    readonly property bool film: !root.page.isSeries

    spacing: 12

    QMButton {
        objectName: "resumeButton"
        visible: root.page.resumes
        text: root.page.resumeTitle
        symbol: "play.fill"
        kind: QMButtonKind.Primary
        onClicked: root.page.play(true)
    }

    QMButton {
        objectName: "startOverButton"
        visible: root.page.resumes
        text: "Start over"
        symbol: "arrow.counterclockwise"
        kind: QMButtonKind.Secondary
        onClicked: root.page.play(false)
    }

    QMButton {
        objectName: "playButton"
        visible: root.film && !root.page.resumes
        text: "Play"
        symbol: "play.fill"
        kind: QMButtonKind.Primary
        onClicked: root.page.play(true)
    }

    QMButton {
        objectName: "nextEpisodeButton"
        visible: !root.film && root.page.nextEpisodeTitle.length > 0
        text: root.page.nextEpisodeTitle
        symbol: "play.fill"
        kind: QMButtonKind.Primary
        onClicked: root.page.playNextEpisode()
    }

    QMButton {
        objectName: "myListButton"
        text: root.page.myListTitle
        symbol: root.page.myListSymbol
        kind: QMButtonKind.Secondary
        onClicked: root.page.toggleFavourite()
    }

    QMButton {
        id: refreshButton

        objectName: "refreshButton"
        visible: !root.film
        enabled: !root.page.loadingEpisodes
        kind: QMButtonKind.Secondary
        onClicked: root.page.refreshEpisodes()

        HelpTip {
            text: "Refresh episodes"
            shown: refreshButton.hovered
        }

        // The symbol alone, centred.
        contentItem: Icon {
            symbol: "arrow.clockwise"
            size: 12.5
            color: QMStyle.buttonForeground(QMButtonKind.Secondary, refreshButton.enabled, refreshButton.hovered)
        }
    }
}
