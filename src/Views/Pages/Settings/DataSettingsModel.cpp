#include "DataSettingsModel.h"

#include "FileManager.h"

#include "App/AppModel.h"
#include "Artwork/ArtworkMemory.h"
#include "Store/CatalogueStore.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

const QString history = u"history"_s;
const QString favourites = u"favourites"_s;

} // namespace

void DataSettingsModel::setArtwork(ArtworkMemory *artwork)
{
    if (m_artwork == artwork)
        return;
    m_artwork = artwork;
    Q_EMIT artworkChanged();
}

QString DataSettingsModel::confirmTitle() const
{
    return m_confirm == history ? u"Clear all watch history for this playlist?"_s
                                : u"Clear all favourites for this playlist?"_s;
}

QString DataSettingsModel::dataFolder() const
{
    if (!app())
        return QString();
    return QDir::toNativeSeparators(QFileInfo(app()->store()->databasePath()).absolutePath());
}

void DataSettingsModel::askToClear(const QString &what)
{
    if (what == history || what == favourites)
        setConfirm(what);
}

void DataSettingsModel::dismiss()
{
    setConfirm(QString());
}

void DataSettingsModel::clearConfirmed()
{
    if (!app() || m_confirm.isEmpty())
        return;
    const QString what = m_confirm;
    setConfirm(QString());
    // Not tied to the section: the notice follows even when the user has moved on.
    clear(QPointer(app()), what);
}

QCoro::Task<void> DataSettingsModel::clear(QPointer<AppModel> app, QString what)
{
    // The store reports its own failures through its database error; the notice follows every
    // clear that was written, whether or not there was anything to clear.
    if (what == history) {
        const std::optional<bool> cleared =
            co_await app->store()->clearHistory({CatalogueKind::Live, CatalogueKind::Movie, CatalogueKind::Series});
        if (cleared && app)
            app->toast(u"Watch history cleared"_s, ToastKind::Success);
    } else {
        const std::optional<bool> cleared = co_await app->store()->clearFavourites();
        if (cleared && app)
            app->toast(u"Favourites cleared"_s, ToastKind::Success);
    }
}

void DataSettingsModel::clearArtwork()
{
    // Not tied to the section, like the other clearing.
    if (app() && m_artwork)
        clearArtwork(QPointer(app()), m_artwork);
}

QCoro::Task<void> DataSettingsModel::clearArtwork(QPointer<AppModel> app, QPointer<ArtworkMemory> artwork)
{
    co_await artwork->clear();
    if (app && artwork)
        app->toast(u"Artwork cache cleared"_s, ToastKind::Success);
}

void DataSettingsModel::showDataFolder()
{
    if (app())
        FileManager::showItem(app()->store()->databasePath(), this);
}

void DataSettingsModel::setConfirm(const QString &confirm)
{
    if (m_confirm == confirm)
        return;
    m_confirm = confirm;
    Q_EMIT confirmChanged();
}
