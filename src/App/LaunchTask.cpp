#include "LaunchTask.h"

#include "App/AppUpdater.h"
#include "App/ShotRunner.h"
#include "Playback/PlaybackWindowController.h"

using namespace Qt::StringLiterals;

QCoro::Task<void> runLaunchTask(LaunchArguments arguments, AppUpdater &updater, PlaybackWindowController &playback,
                                ShotRunner &shots)
{
    if (!arguments.contains(u"--shots"_s))
        co_await updater.checkIfDue(false);
    if (const std::optional<QUrl> file = arguments.playFile())
        playback.openFile(*file);
    co_await shots.runIfRequested(arguments);
}
