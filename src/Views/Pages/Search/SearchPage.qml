import QtQuick
import QtQuick.Controls.Basic
import QtQuick.Layouts
import Quillmere

// Searches channels, films and series at once while the user types, with the recent terms
// before there is anything to search for.
Rectangle {
    id: root

    color: QM.bg0

    SearchPageModel {
        id: pageModel

        objectName: "pageModel"
        app: AppModel
        onFocusRequested: bar.focusField()
    }

    ItemMenu {
        id: itemMenu

        app: AppModel
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        ColumnLayout {
            Layout.fillWidth: true
            Layout.leftMargin: 40
            Layout.rightMargin: 40
            Layout.topMargin: 42
            Layout.bottomMargin: 20
            spacing: 18

            QMText {
                text: "Search"
                font: QM.h1
                color: QM.text1
            }

            SearchBar {
                id: bar

                Layout.fillWidth: true
                page: pageModel
            }
        }

        Flickable {
            id: scroller

            objectName: "results"
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: width
            contentHeight: results.implicitHeight + 40
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

            ColumnLayout {
                id: results

                width: scroller.width
                spacing: 34

                SearchSuggestions {
                    Layout.fillWidth: true
                    Layout.leftMargin: 40
                    Layout.rightMargin: 40
                    visible: pageModel.showsSuggestions
                    page: pageModel
                }

                QMEmptyState {
                    objectName: "noResults"
                    Layout.fillWidth: true
                    Layout.preferredHeight: 360
                    visible: pageModel.showsNoResults
                    symbol: "magnifyingglass"
                    title: pageModel.noResultsTitle
                    message: "Try a shorter word, or check the spelling. Hidden categories and languages aren't searched."
                }

                ChannelShelf {
                    objectName: "channelResults"
                    Layout.fillWidth: true
                    visible: !pageModel.showsSuggestions && pageModel.channels.count > 0
                    title: "Channels"
                    subtitle: pageModel.channelsSubtitle
                    items: pageModel.channels
                    itemMenu: itemMenu
                    cardWidth: 210
                    onActivated: index => pageModel.playChannel(index)
                }

                PosterShelf {
                    objectName: "movieResults"
                    Layout.fillWidth: true
                    visible: !pageModel.showsSuggestions && pageModel.movies.count > 0
                    title: "Movies"
                    subtitle: pageModel.moviesSubtitle
                    items: pageModel.movies
                    itemMenu: itemMenu
                    cardWidth: 150
                    onActivated: index => pageModel.openTitle(pageModel.movies, index)
                }

                PosterShelf {
                    objectName: "seriesResults"
                    Layout.fillWidth: true
                    visible: !pageModel.showsSuggestions && pageModel.series.count > 0
                    title: "Series"
                    subtitle: pageModel.seriesSubtitle
                    items: pageModel.series
                    itemMenu: itemMenu
                    cardWidth: 150
                    onActivated: index => pageModel.openTitle(pageModel.series, index)
                }
            }
        }
    }
}
