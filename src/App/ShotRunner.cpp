#include "ShotRunner.h"

#include "App/AppModel.h"
#include "App/AppUpdater.h"
#include "App/PlayerCommands.h"
#include "Playback/PlaybackWindowController.h"
#include "Store/CatalogueStore.h"
#include "Support/Clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPointer>
#include <QQuickWindow>
#include <QScreen>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

// Long enough for a browse model to load its first page after its page was shown.
constexpr auto listLoadWait = 2s;

// An update the banner offers (never mandatory, so that the banner rather than the card shows).
UpdateInfo sampleUpdate()
{
    return UpdateInfo{u"9.9.0"_s, u"https://example.com/quillmere/download"_s, std::nullopt, std::nullopt};
}

} // namespace

QString ShotPage::fileName() const
{
    // A "/" would lead out of the output folder.
    return QString(entry).replace(u':', u'-').replace(u'/', u'-') + u".png"_s;
}

std::optional<ShotPage> ShotPage::parse(const QString &entry)
{
    if (entry.count(u':') == entry.size())
        return std::nullopt;
    // Split at the first colon only, so that an argument keeps its own colons; empty pieces go.
    const qsizetype colon = entry.indexOf(u':');
    QStringList pieces = colon < 0 ? QStringList{entry}
                                   : QStringList{entry.left(colon), entry.mid(colon + 1)};
    pieces.removeAll(QString());
    return ShotPage{entry, pieces.value(0), pieces.value(1)};
}

ShotRunner::ShotRunner(AppModel &app, AppUpdater &updater, PlaybackWindowController &playback,
                       PlayerCommands &commands, Clock &clock, Quit quit, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_updater(updater)
    , m_playback(playback)
    , m_commands(commands)
    , m_clock(clock)
    , m_quit(quit ? std::move(quit) : Quit([] { QCoreApplication::quit(); }))
{
}

ShotRunner::~ShotRunner()
{
    m_stop.request_stop();
}

QCoro::Task<void> ShotRunner::runIfRequested(LaunchArguments arguments)
{
    const std::optional<QString> directory = arguments.shotDirectory();
    if (!directory)
        co_return;
    QPointer<ShotRunner> self(this);
    // A directory that cannot be made only means that the images cannot be written.
    (void)QDir().mkpath(*directory);
    if (const std::optional<QSizeF> size = arguments.windowSize())
        resizeMainWindow(*size);

    while (m_app.store()->isInitializing()) {
        co_await wait(200ms);
        if (!self)
            co_return;
    }
    co_await wait(1s);

    for (const QString &entry : arguments.shotPages()) {
        if (!self)
            co_return;
        const std::optional<ShotPage> page = ShotPage::parse(entry);
        if (!page)
            continue;
        co_await perform(*page);
        if (!self)
            co_return;
        co_await wait(entry.startsWith(u"play"_s) ? 10s : 3s);
        if (!self)
            co_return;
        capture(QDir(*directory).filePath(page->fileName()));
    }
    if (!self)
        co_return;
    m_playback.close();
    co_await wait(1s);
    if (self)
        m_quit();
}

QCoro::Task<void> ShotRunner::perform(ShotPage page)
{
    const QString &name = page.name;
    if (name == u"movies-detail"_s || name == u"series-detail"_s) {
        const bool movies = name.startsWith(u"movies"_s);
        if (!co_await showAndLoad(movies ? Route::Movies : Route::Series))
            co_return;
        const QList<MediaItem> items = (movies ? m_app.movies() : m_app.series())->items();
        if (!items.isEmpty())
            m_app.setDetail(items.constFirst());
    } else if (name == u"live-select"_s) {
        if (!co_await showAndLoad(Route::Live))
            co_return;
        const QList<MediaItem> items = m_app.live()->items();
        m_app.live()->setSelected(items.isEmpty() ? std::nullopt : std::optional(items.constFirst()));
    } else if (name == u"live-all"_s) {
        m_app.setRoute(Route::Live);
        m_app.live()->setScope(BrowseScope::all());
    } else if (name == u"search"_s) {
        m_app.setRoute(Route::Search);
        m_app.setSearchFocusRequest(m_app.searchFocusRequest() + 1);
        // "search:TEXT" searches for TEXT; "search" and "search:" search for "news".
        m_app.setSearchText(page.argument.isEmpty() ? u"news"_s : page.argument);
    } else if (name == u"play-live"_s) {
        if (!co_await showAndLoad(Route::Live))
            co_return;
        const QList<MediaItem> channels = m_app.live()->items();
        if (!channels.isEmpty())
            m_app.play(channels.constFirst(), channels, true);
    } else if (name == u"play-panel"_s) {
        m_commands.post(u"channels"_s);
    } else if (name == u"play-movie"_s) {
        if (!co_await showAndLoad(Route::Movies))
            co_return;
        const QList<MediaItem> films = m_app.movies()->items();
        if (!films.isEmpty())
            m_app.play(films.constFirst(), {}, true);
    } else if (name == u"update"_s) {
        m_updater.setAvailable(sampleUpdate());
        m_updater.setDismissed(false);
    } else if (name == u"collapse"_s) {
        m_app.setSidebarCollapsed(!m_app.isSidebarCollapsed());
    } else if (const std::optional<Route> route = routeFromText(name)) {
        m_app.setRoute(*route);
    }
    // Any other name sets nothing up: the image shows the window as it is.
}

QCoro::Task<bool> ShotRunner::showAndLoad(Route route)
{
    QPointer<ShotRunner> self(this);
    m_app.setRoute(route);
    // The list the shot picks from is loaded here too, so that the shot does not depend on the
    // page loading it (a second request for a list already loaded does nothing).
    BrowseModel *list = route == Route::Live     ? m_app.live()
                        : route == Route::Movies ? m_app.movies()
                        : route == Route::Series ? m_app.series()
                                                 : nullptr;
    if (list)
        co_await list->refreshIfNeeded();
    if (!self)
        co_return false;
    co_await wait(listLoadWait);
    co_return bool(self);
}

QCoro::Task<void> ShotRunner::wait(std::chrono::milliseconds duration)
{
    (void)co_await m_clock.sleep(duration, m_stop.get_token());
}

QQuickWindow *ShotRunner::mainWindow()
{
    for (QWindow *window : QGuiApplication::topLevelWindows()) {
        if (auto *quickWindow = qobject_cast<QQuickWindow *>(window); quickWindow && quickWindow->isVisible())
            return quickWindow;
    }
    return nullptr;
}

void ShotRunner::resizeMainWindow(const QSizeF &size)
{
    QQuickWindow *window = mainWindow();
    if (!window)
        return;
    const QSize pixels = size.toSize();
    window->resize(pixels);
    if (const QScreen *screen = window->screen())
        window->setPosition(screen->availableGeometry().center() - QPoint(pixels.width() / 2, pixels.height() / 2));
}

void ShotRunner::capture(const QString &path)
{
    QQuickWindow *window = mainWindow();
    if (!window)
        return;
    const QImage image = window->grabWindow();
    if (!image.isNull())
        (void)image.save(path, "PNG");
}
