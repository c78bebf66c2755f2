#pragma once

#include "App/LaunchArguments.h"

#include <QCoroTask>

class AppUpdater;
class PlaybackWindowController;
class ShotRunner;

// What runs once the window's content is first shown, each step awaited before the next: the
// daily update check (skipped by a screenshot run, which must not show a banner of its own), the
// file named after "--play-file", then the screenshot run.
QCoro::Task<void> runLaunchTask(LaunchArguments arguments, AppUpdater &updater,
                                PlaybackWindowController &playback, ShotRunner &shots);
