import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// The start page: a greeting with the library's summary, four tiles to the other pages, and
// the shelves of what the user watched, saved and may like next.
Rectangle {
    id: root

    color: QM.bg0

    HomePageModel {
        id: pageModel

        objectName: "pageModel"
        app: AppModel
    }

    ItemMenu {
        id: itemMenu

        app: AppModel
    }

    // The menu of one entry of Continue watching, which it keeps while it is open.
    QMMenu {
        id: resumeMenu

        property string entryID

        function openFor(entryID: string, anchor: Item, position: point): void {
            resumeMenu.entryID = entryID;
            resumeMenu.popupAt(anchor, position);
        }

        QMMenuItem {
            objectName: "resumeEntry"
            text: "Resume"
            symbol: "play.fill"
            onTriggered: pageModel.resume(resumeMenu.entryID)
        }

        QMMenuItem {
            objectName: "removeEntry"
            text: "Remove from Continue watching"
            symbol: "minus.circle"
            onTriggered: pageModel.removeFromContinueWatching(resumeMenu.entryID)
        }
    }

    Flickable {
        id: scroller

        anchors.fill: parent
        contentWidth: width
        contentHeight: column.implicitHeight + 42 + 48
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        ColumnLayout {
            id: column

            y: 42
            width: scroller.width
            spacing: 34

            HomeHeader {
                Layout.fillWidth: true
                Layout.leftMargin: 40
                Layout.rightMargin: 40
                page: pageModel
            }

            // The four tiles in a row, or two rows of two where a row would cut their names.
            GridLayout {
                id: tiles

                readonly property int tileMinimumWidth: 210

                Layout.fillWidth: true
                Layout.leftMargin: 40
                Layout.rightMargin: 40
                columns: tiles.width >= 4 * tiles.tileMinimumWidth + 3 * tiles.columnSpacing ? 4 : 2
                columnSpacing: 16
                rowSpacing: 16

                Repeater {
                    model: pageModel.tiles

                    QMCardButton {
                        id: tile

                        required property var modelData

                        objectName: "tile-" + tile.modelData.route
                        Layout.fillWidth: true
                        // The tiles share their row equally.
                        Layout.preferredWidth: 1
                        implicitHeight: 84
                        radius: 14
                        contentItem: HomeTile {
                            title: tile.modelData.title
                            detail: tile.modelData.detail
                            symbol: tile.modelData.icon
                        }
                        onClicked: AppModel.route = tile.modelData.route
                    }
                }
            }

            ResumeShelf {
                objectName: "continueWatching"
                Layout.fillWidth: true
                visible: pageModel.continueWatching.count > 0
                model: pageModel.continueWatching
                onResumed: entryID => pageModel.resume(entryID)
                onMenuRequested: (entryID, anchor, position) => resumeMenu.openFor(entryID, anchor, position)
            }

            ChannelShelf {
                objectName: "recentChannels"
                Layout.fillWidth: true
                title: "Recently watched"
                items: pageModel.recentChannels
                itemMenu: itemMenu
                cardWidth: 220
                onActivated: index => pageModel.playChannel(pageModel.recentChannels, index)

                QMButton {
                    objectName: "clearRecent"
                    text: "Clear"
                    symbol: "trash"
                    kind: QMButtonKind.Ghost
                    compact: true
                    onClicked: pageModel.clearRecentlyWatched()
                }
            }

            ChannelShelf {
                objectName: "favouriteChannels"
                Layout.fillWidth: true
                title: "Favourite channels"
                items: pageModel.favouriteChannels
                itemMenu: itemMenu
                cardWidth: 220
                onActivated: index => pageModel.playChannel(pageModel.favouriteChannels, index)
            }

            PosterShelf {
                objectName: "favouriteTitles"
                Layout.fillWidth: true
                title: "My list"
                items: pageModel.favouriteTitles
                itemMenu: itemMenu
                onActivated: index => pageModel.openPoster(pageModel.favouriteTitles, index)
            }

            PosterShelf {
                objectName: "newMovies"
                Layout.fillWidth: true
                title: "New movies"
                subtitle: "Recently added by your provider"
                items: pageModel.newMovies
                itemMenu: itemMenu
                onActivated: index => pageModel.openPoster(pageModel.newMovies, index)
            }

            PosterShelf {
                objectName: "newSeries"
                Layout.fillWidth: true
                title: "New series"
                items: pageModel.newSeries
                itemMenu: itemMenu
                onActivated: index => pageModel.openPoster(pageModel.newSeries, index)
            }

            QMSurface {
                objectName: "emptyHint"
                Layout.fillWidth: true
                Layout.leftMargin: 40
                Layout.rightMargin: 40
                visible: pageModel.showsEmptyHint
                implicitHeight: hint.implicitHeight + 44
                color: QM.surface1
                radius: 14

                RowLayout {
                    id: hint

                    anchors.fill: parent
                    anchors.margins: 22
                    spacing: 16

                    Rectangle {
                        implicitWidth: 48
                        implicitHeight: 48
                        radius: 24
                        antialiasing: true
                        color: QM.accentSoft

                        Icon {
                            anchors.centerIn: parent
                            symbol: "sparkles"
                            size: 20
                            color: QM.accent
                        }
                    }

                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 4

                        QMText {
                            Layout.fillWidth: true
                            text: "Your home fills up as you watch"
                            font: QM.h3
                            color: QM.text1
                            wrapMode: Text.Wrap
                        }

                        QMText {
                            Layout.fillWidth: true
                            text: "Channels you watch, films you start and favourites you save appear here."
                            font: QM.body
                            color: QM.text2
                            wrapMode: Text.Wrap
                        }
                    }
                }
            }
        }
    }
}
