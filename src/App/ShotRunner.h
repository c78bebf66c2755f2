#pragma once

#include "App/LaunchArguments.h"
#include "App/Route.h"

#include <QCoroTask>
#include <QObject>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>
#include <stop_token>

class AppModel;
class AppUpdater;
class Clock;
class PlaybackWindowController;
class PlayerCommands;
class QQuickWindow;

// One page of a screenshot run, written "name" or "name:argument" (only search takes one).
struct ShotPage
{
    QString entry;
    QString name;
    QString argument;

    // The entry with every ":" and "/" made "-", plus ".png" ("search:news" is search-news.png),
    // so that it names a file inside the output folder.
    [[nodiscard]] QString fileName() const;
    // None for an entry made only of colons: it names no page and gets no image.
    [[nodiscard]] static std::optional<ShotPage> parse(const QString &entry);
};

// Screenshot mode: with "--shots DIR" it drives the running window through a list of pages,
// writes a PNG of the window for each into DIR, closes the player and ends the program. It
// changes only what a user could (the page, the detail, the selection, the sidebar, playback),
// and every wait runs on the program's clock, so that the pages load and draw meanwhile.
class ShotRunner final : public QObject
{
    Q_OBJECT

public:
    using Quit = std::function<void()>;

    // Without `quit`, the run ends the application.
    ShotRunner(AppModel &app, AppUpdater &updater, PlaybackWindowController &playback, PlayerCommands &commands,
               Clock &clock, Quit quit = {}, QObject *parent = nullptr);
    // Cuts the waits of a run still going short.
    ~ShotRunner() override;

    // Returns at once without "--shots DIR"; otherwise after the last image, once the program
    // has been asked to end. Every failure (a directory, a window, an image) is silent.
    [[nodiscard]] QCoro::Task<void> runIfRequested(LaunchArguments arguments);
    // Sets up one page; the pages that read a browse list wait 2 s for its first items.
    [[nodiscard]] QCoro::Task<void> perform(ShotPage page);

    // The first visible Qt Quick window of the application.
    [[nodiscard]] static QQuickWindow *mainWindow();

private:
    // Shows a page that reads a browse list and gives the list time to load its first items;
    // false when the runner went meanwhile.
    [[nodiscard]] QCoro::Task<bool> showAndLoad(Route route);
    // Waits on the program's clock; a cut-short wait simply ends.
    [[nodiscard]] QCoro::Task<void> wait(std::chrono::milliseconds duration);
    static void capture(const QString &path);
    static void resizeMainWindow(const QSizeF &size);

    AppModel &m_app;
    AppUpdater &m_updater;
    PlaybackWindowController &m_playback;
    PlayerCommands &m_commands;
    Clock &m_clock;
    const Quit m_quit;
    std::stop_source m_stop;
};
