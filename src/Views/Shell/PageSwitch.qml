import QtQuick
import Quillmere

// The page of the current route, built afresh whenever the page changes, so that every page
// starts with fresh view state. One line a page.
Loader {
    id: root

    // "welcome" or a route's text (AppShellModel.page).
    required property string page

    readonly property var pages: ({
        "welcome": welcomePage,
        "home": homePage,
        "search": searchPage,
        "live": livePage,
        "guide": guidePage,
        "movies": moviesPage,
        "series": seriesPage,
        "youtube": videoSitePage,
        "playlists": playlistsPage,
        "settings": settingsPage
    })

    objectName: "pageSwitch"
    sourceComponent: root.pages[root.page] ?? null

    Component { id: welcomePage; WelcomePage {} }
    Component { id: homePage; HomePage {} }
    Component { id: searchPage; SearchPage {} }
    Component { id: livePage; LivePage {} }
    Component { id: guidePage; GuidePage {} }
    Component { id: moviesPage; VodPage { browse: AppModel.movies } }
    Component { id: seriesPage; VodPage { browse: AppModel.series } }
    Component { id: videoSitePage; VideoSitePage {} }
    Component { id: playlistsPage; PlaylistsPage {} }
    Component { id: settingsPage; SettingsPage {} }
}
