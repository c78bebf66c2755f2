#pragma once

#include <QStringList>
#include <QUrl>

#include <optional>

// What the command line asks of a launch beyond what the catalogue store reads itself.
namespace LaunchArguments {

// The file named after "--play-file", as an absolute file address: a relative path means the
// working directory, which the media engine does not know.
[[nodiscard]] std::optional<QUrl> fileToPlay(const QStringList &arguments);

} // namespace LaunchArguments
