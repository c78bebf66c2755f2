#pragma once

#include "StoreHarness.h"

#include <QDateTime>

#include <memory>

class AppModel;
class PlaybackWindowController;

// A started store with one imported playlist of 70 live channels and a guide for them, and an
// application model over it whose players play nothing. Category "1" (UK: News) holds channels
// 1-40 ("News 01" ...), "2" (UK: Sport) channels 41-60 ("Sport 41" ...), "3" (FR: Infos)
// channels 61-70 without a guide. Guide channels "news01.uk" ... carry back-to-back half-hour
// programmes from an hour before the day of the clock's time to its end.
class LiveTvLibrary final
{
public:
    // The clock stands at `now` before anything is imported.
    explicit LiveTvLibrary(const QDateTime &now = QDateTime(QDate(2026, 1, 1), QTime(12, 0)));
    ~LiveTvLibrary();

    LiveTvLibrary(const LiveTvLibrary &) = delete;
    LiveTvLibrary &operator=(const LiveTvLibrary &) = delete;

    [[nodiscard]] StoreHarness &harness() { return m_harness; }
    [[nodiscard]] CatalogueStore &store() { return m_harness.store(); }
    [[nodiscard]] VirtualClock &clock() { return m_harness.clock(); }
    [[nodiscard]] AppModel &app() { return *m_app; }
    [[nodiscard]] PlaybackWindowController &playback() { return *m_playback; }
    [[nodiscard]] qint64 playlistID() const { return m_playlistID; }

    static constexpr int channelCount = 70;
    static constexpr int guideChannelCount = 60;

private:
    StoreHarness m_harness;
    std::unique_ptr<PlaybackWindowController> m_playback;
    std::unique_ptr<AppModel> m_app;
    qint64 m_playlistID = 0;
};
