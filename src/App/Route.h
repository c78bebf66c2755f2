#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// The pages of the window, in the order the sidebar lists them. Their texts are what user
// settings keep ("quillmere.startPage", "quillmere.lastPage") and what the views switch on; the
// video site's page keeps the text "youtube".
enum class Route { Home, Search, Live, Guide, Movies, Series, VideoSite, Playlists, Settings };

inline constexpr std::array<Route, 9> allRoutes{Route::Home,      Route::Search,    Route::Live,
                                                Route::Guide,     Route::Movies,    Route::Series,
                                                Route::VideoSite, Route::Playlists, Route::Settings};

// The main pages, in the order of the window's Go menu and its Ctrl+1 to Ctrl+7 shortcuts;
// playlists and settings are not among them.
inline constexpr std::array<Route, 7> mainRoutes{Route::Home,   Route::Search, Route::Live,  Route::Guide,
                                                 Route::Movies, Route::Series, Route::VideoSite};

[[nodiscard]] QString routeText(Route route);
// The page's display title ("Live TV" for live).
[[nodiscard]] QString routeTitle(Route route);
// Exactly one of the page texts (case-sensitive); any other text is no page.
[[nodiscard]] std::optional<Route> routeFromText(QStringView text);
