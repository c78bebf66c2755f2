#pragma once

#include "AppHarness.h"

#include <QDateTime>

#include <functional>

class FakeProvider;
struct GeneratedCatalogue;

// A started store with one imported playlist of 70 live channels and a guide for them, and the
// application's objects over it (handed to QML), whose players play nothing. Category "1" (UK: News) holds channels
// 1-40 ("News 01" ..., the first with a logo that the provider serves), "2" (UK: Sport) channels 41-60 ("Sport 41" ...), "3" (FR: Infos)
// channels 61-70 without a guide. Guide channels "news01.uk" ... carry back-to-back half-hour
// programmes from an hour before the day of the clock's time to its end.
class LiveTvLibrary final
{
public:
    // The clock stands at `now` before anything is imported; `adjust` may change the catalogue
    // before the provider serves it (its addresses are the provider's).
    explicit LiveTvLibrary(const QDateTime &now = QDateTime(QDate(2026, 1, 1), QTime(12, 0)),
                           const std::function<void(GeneratedCatalogue &, const FakeProvider &)> &adjust = {});

    LiveTvLibrary(const LiveTvLibrary &) = delete;
    LiveTvLibrary &operator=(const LiveTvLibrary &) = delete;

    [[nodiscard]] StoreHarness &harness() { return m_app.storeHarness(); }
    [[nodiscard]] CatalogueStore &store() { return harness().store(); }
    [[nodiscard]] VirtualClock &clock() { return m_app.clock(); }
    [[nodiscard]] AppModel &app() { return m_app.app(); }
    [[nodiscard]] PlaybackWindowController &playback() { return m_app.playback(); }
    [[nodiscard]] qint64 playlistID() const { return m_playlistID; }

    static constexpr int channelCount = 70;
    static constexpr int guideChannelCount = 60;

private:
    AppHarness m_app;
    qint64 m_playlistID = 0;
};
