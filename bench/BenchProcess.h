#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QThread>

#include <chrono>
#include <functional>

// What the benchmarks read of their own process, and how they wait for the event loop.

// A home of this process's own, as each test gets under CTest: its configuration, data and cache
// directories, and the settings file in them, live in a temporary directory until it ends. A
// harness clears the settings as it starts and then sets what it measures (the live stream format,
// say); in a shared home, a second benchmark or a test started by hand meanwhile would wipe them
// mid-run. Made first thing in main, before anything reads a path.
class PrivateHome
{
public:
    PrivateHome()
    {
        if (!m_directory.isValid())
            return;
        const QByteArray home = QFile::encodeName(m_directory.path());
        qputenv("HOME", home);
        qputenv("XDG_CONFIG_HOME", home + "/.config");
        qputenv("XDG_DATA_HOME", home + "/.local/share");
        qputenv("XDG_CACHE_HOME", home + "/.cache");
    }

private:
    QTemporaryDir m_directory;
};

// Offscreen unless the environment names a platform: the window benchmarks need no screen, and
// can still be watched on one when asked.
inline void preferOffscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The environment of the program started as a child on a data directory: offscreen, with a home
// of its own whose configuration, data and cache directories none of the user's runs share.
[[nodiscard]] inline QProcessEnvironment programEnvironment(const QString &dataDirectory, const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("QUILLMERE_DATA_DIRECTORY"), dataDirectory);
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    return environment;
}

// A memory figure of a process (by default this one) from the kernel's account ("VmRSS" now,
// "VmHWM" at its peak), in MiB; -1 when it cannot be read.
[[nodiscard]] inline double processMemoryMiB(const QByteArray &field, const QString &process = QStringLiteral("self"))
{
    QFile status(QStringLiteral("/proc/%1/status").arg(process));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = field + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

// Runs the event loop until `done` holds or the time runs out; false when it ran out.
inline bool runEventsUntil(const std::function<bool()> &done, std::chrono::milliseconds limit)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limit.count())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(200);
    }
    return true;
}
