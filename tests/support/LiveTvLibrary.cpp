#include "LiveTvLibrary.h"

#include "FakeMediaEngine.h"

#include "App/AppModel.h"
#include "Playback/PlaybackWindowController.h"
#include "Playback/PlayerController.h"
#include "Store/CatalogueStore.h"

using namespace Qt::StringLiterals;

namespace {

struct Group
{
    QString categoryID;
    QString name;
    QString word;
    int first;
    int last;
    bool guide;
};

const Group groups[] = {{u"1"_s, u"UK: News"_s, u"News"_s, 1, 40, true},
                        {u"2"_s, u"UK: Sport"_s, u"Sport"_s, 41, 60, true},
                        {u"3"_s, u"FR: Infos"_s, u"Infos"_s, 61, 70, false}};

} // namespace

LiveTvLibrary::LiveTvLibrary(const QDateTime &now)
    : m_playback(std::make_unique<PlaybackWindowController>([this](const QUrl &url, QObject *parent) {
        return new PlayerController(url, std::make_unique<FakeMediaEngine>(), m_harness.clock(), parent);
    }))
{
    m_harness.clock().setWallClock(now);
    m_harness.start();
    GeneratedCatalogue catalogue;
    FakeGuide guide;
    for (const Group &group : groups) {
        catalogue.categories.append({CatalogueKind::Live, group.categoryID, group.name, 0});
        for (int number = group.first; number <= group.last; ++number) {
            const QString digits = QString::number(number).rightJustified(2, u'0');
            ContentItem item;
            item.kind = CatalogueKind::Live;
            item.providerID = QString::number(number);
            item.categoryID = group.categoryID;
            item.title = group.word + u' ' + digits;
            item.sortNumber = number;
            if (group.guide) {
                item.epgChannelID = group.word.toLower() + digits + u".uk"_s;
                guide.channelIDs.append(*item.epgChannelID);
            }
            catalogue.items.append(item);
        }
    }
    guide.start = now.toLocalTime().date().startOfDay().addSecs(-3600);
    guide.programmesPerChannel = 50;
    m_harness.provider().setCatalogue(catalogue);
    m_harness.provider().setGuide(guide);
    const Playlist playlist = m_harness.addProviderPlaylist();
    if (!m_harness.waitUntilIdle(playlist.id))
        qFatal("the import did not end");
    m_playlistID = playlist.id;
    m_app = std::make_unique<AppModel>(m_harness.store(), *m_playback);
}

LiveTvLibrary::~LiveTvLibrary()
{
    m_app.reset();
    m_playback.reset();
}
