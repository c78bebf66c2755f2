#include "LiveTvLibrary.h"


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

LiveTvLibrary::LiveTvLibrary(const QDateTime &now, const std::function<void(GeneratedCatalogue &, const FakeProvider &)> &adjust)
{
    StoreHarness &store = harness();
    store.clock().setWallClock(now);
    store.start();
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
            if (number == 1)
                item.artworkURL = store.provider().artworkURL(u"logo.png"_s).toString();
            if (group.guide) {
                item.epgChannelID = group.word.toLower() + digits + u".uk"_s;
                guide.channelIDs.append(*item.epgChannelID);
            }
            catalogue.items.append(item);
        }
    }
    if (adjust)
        adjust(catalogue, store.provider());
    guide.start = now.toLocalTime().date().startOfDay().addSecs(-3600);
    guide.programmesPerChannel = 50;
    store.provider().setCatalogue(catalogue);
    store.provider().setGuide(guide);
    const Playlist playlist = store.addProviderPlaylist();
    if (!store.waitUntilIdle(playlist.id))
        qFatal("the import did not end");
    m_playlistID = playlist.id;
    m_app.start();
}
