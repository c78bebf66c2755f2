#pragma once

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QUrl>

#include <optional>

// The program's launch arguments, program path first. An option that takes a value counts only
// at its first occurrence, and its value is the argument right after it, whatever that is.
class LaunchArguments final
{
public:
    explicit LaunchArguments(QStringList arguments);

    [[nodiscard]] const QStringList &all() const { return m_arguments; }
    // Whether `argument` appears anywhere, exactly as written.
    [[nodiscard]] bool contains(QStringView argument) const;
    // The argument after the first occurrence of `option`; none when it is missing or last.
    [[nodiscard]] std::optional<QString> valueAfter(QStringView option) const;

    // "--play-file": the path of a local file to play; it need not exist.
    [[nodiscard]] std::optional<QUrl> playFile() const;
    // Files handed over by the desktop (the arguments that are neither options nor their
    // values): paths or file addresses. Other addresses are left out.
    [[nodiscard]] QList<QUrl> handedFiles() const;
    // What a later start hands to the program that already runs, in the order they play: the
    // handed files, then the file to play.
    [[nodiscard]] QList<QUrl> filesForRunningProgram() const;

    // "--shots": the directory of a screenshot run; without it there is none.
    [[nodiscard]] std::optional<QString> shotDirectory() const;
    // "--shot-pages" split at "," with empty pieces dropped, else the default pages.
    [[nodiscard]] QStringList shotPages() const;
    // "--window" as width "x" height (lower-case x only): exactly two positive numbers must
    // remain after the empty and non-numeric pieces are dropped.
    [[nodiscard]] std::optional<QSizeF> windowSize() const;

private:
    QStringList m_arguments;
};
