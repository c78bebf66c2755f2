#pragma once

#include "Support/Prefs.h"

// Every user setting the program reads with a default, each defined once: its key as the
// settings file stores it and the value it reads as until written. The settings page's table
// (SettingKeys) offers the ones it shows from here; Prefs::read() reads any of them.
namespace PrefKeys {

// General.
inline constexpr Pref<QStringView> startPage{u"quillmere.startPage", u"home"};
inline constexpr Pref<QStringView> posterSize{u"quillmere.posterSize", u"medium"};
inline constexpr Pref<bool> use24HourClock{u"quillmere.use24HourClock", true};
inline constexpr Pref<bool> reduceMotion{u"quillmere.reduceMotion", false};

// Playback.
inline constexpr Pref<bool> resumePlayback{u"quillmere.resumePlayback", true};
inline constexpr Pref<bool> autoPlayNextEpisode{u"quillmere.autoPlayNextEpisode", true};
inline constexpr Pref<int> seekStepSeconds{u"quillmere.seekStepSeconds", 10};
inline constexpr Pref<int> osdTimeoutSeconds{u"quillmere.osdTimeoutSeconds", 4};
inline constexpr Pref<int> networkCachingMs{u"quillmere.networkCachingMs", 1500};
inline constexpr Pref<QStringView> liveFormat{u"quillmere.liveFormat", u"m3u8"};

// Live TV.
inline constexpr Pref<bool> showChannelNumbers{u"quillmere.showChannelNumbers", true};
inline constexpr Pref<bool> rememberLastChannel{u"quillmere.rememberLastChannel", true};
inline constexpr Pref<bool> groupCategoriesByLanguage{u"quillmere.groupCategoriesByLanguage", false};

// Updates: whether each refresh runs on its own, and how many hours apart.
inline constexpr Pref<bool> autoRefreshPlaylist{u"autoRefreshPlaylist", true};
inline constexpr Pref<int> catalogueRefreshHours{u"catalogueRefreshHours", 24};
inline constexpr Pref<bool> autoRefreshEpg{u"autoRefreshEpg", true};
inline constexpr Pref<int> guideRefreshHours{u"guideRefreshHours", 4};

// Privacy.
inline constexpr Pref<bool> keepWatchHistory{u"quillmere.keepWatchHistory", true};

// Kept by the program itself rather than chosen on the settings page.
inline constexpr Pref<QStringView> lastPage{u"quillmere.lastPage", u"home"};
inline constexpr Pref<bool> sidebarCollapsed{u"quillmere.sidebarCollapsed", false};
// 0 is no playlist.
inline constexpr Pref<int> activePlaylistID{u"quillmere.activePlaylistID", 0};

} // namespace PrefKeys
