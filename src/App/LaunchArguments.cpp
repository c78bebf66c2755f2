#include "LaunchArguments.h"

#include <QDir>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The options whose next argument is their value, never a handed file.
const QStringList valueOptions{u"--play-file"_s, u"--shots"_s, u"--shot-pages"_s, u"--window"_s};

} // namespace

LaunchArguments::LaunchArguments(QStringList arguments)
    : m_arguments(std::move(arguments))
{
}

bool LaunchArguments::contains(QStringView argument) const
{
    return std::any_of(m_arguments.cbegin(), m_arguments.cend(),
                       [argument](const QString &candidate) { return candidate == argument; });
}

std::optional<QString> LaunchArguments::valueAfter(QStringView option) const
{
    for (qsizetype at = 0; at < m_arguments.size(); ++at) {
        if (m_arguments.at(at) == option)
            return at + 1 < m_arguments.size() ? std::optional(m_arguments.at(at + 1)) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<QUrl> LaunchArguments::playFile() const
{
    const std::optional<QString> path = valueAfter(u"--play-file");
    if (!path)
        return std::nullopt;
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(*path));
}

QList<QUrl> LaunchArguments::handedFiles() const
{
    QList<QUrl> files;
    for (qsizetype at = 1; at < m_arguments.size(); ++at) {
        const QString &argument = m_arguments.at(at);
        if (valueOptions.contains(argument)) {
            ++at;
            continue;
        }
        if (argument.startsWith(u'-'))
            continue;
        const QUrl address = QUrl::fromUserInput(argument, QDir::currentPath(), QUrl::AssumeLocalFile);
        if (address.isLocalFile())
            files.append(address);
    }
    return files;
}

QList<QUrl> LaunchArguments::filesForRunningProgram() const
{
    QList<QUrl> files = handedFiles();
    if (const std::optional<QUrl> file = playFile())
        files.append(*file);
    return files;
}

std::optional<QString> LaunchArguments::shotDirectory() const
{
    return valueAfter(u"--shots");
}

QStringList LaunchArguments::shotPages() const
{
    if (const std::optional<QString> pages = valueAfter(u"--shot-pages"))
        return pages->split(u',', Qt::SkipEmptyParts);
    return {u"home"_s, u"live"_s, u"movies"_s, u"series"_s, u"guide"_s, u"playlists"_s, u"settings"_s, u"search"_s};
}

std::optional<QSizeF> LaunchArguments::windowSize() const
{
    const std::optional<QString> value = valueAfter(u"--window");
    if (!value)
        return std::nullopt;
    QList<double> numbers;
    for (const QString &piece : value->split(u'x', Qt::SkipEmptyParts)) {
        bool ok = false;
        const double number = piece.toDouble(&ok);
        if (ok && std::isfinite(number))
            numbers.append(number);
    }
    // A window cannot be zero or less wide or high.
    if (numbers.size() != 2 || numbers.at(0) <= 0 || numbers.at(1) <= 0)
        return std::nullopt;
    return QSizeF(numbers.at(0), numbers.at(1));
}
