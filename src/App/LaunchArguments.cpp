#include "LaunchArguments.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The argument that follows `name`, when there is one.
std::optional<QString> argumentAfter(const QStringList &arguments, const QString &name)
{
    const qsizetype index = arguments.indexOf(name);
    if (index < 0 || index + 1 >= arguments.size())
        return std::nullopt;
    return arguments.at(index + 1);
}

} // namespace

namespace LaunchArguments {

std::optional<QUrl> fileToPlay(const QStringList &arguments)
{
    const std::optional<QString> file = argumentAfter(arguments, u"--play-file"_s);
    if (!file)
        return std::nullopt;
    return QUrl::fromLocalFile(QFileInfo(*file).absoluteFilePath());
}

} // namespace LaunchArguments
