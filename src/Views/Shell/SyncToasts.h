#pragma once

#include <QObject>
#include <QSet>
#include <QString>

#include <optional>

class AppModel;
struct SourceHealth;

// Posts one notice for a playlist when all of its refresh jobs (catalogue import, then guide
// refresh) have ended: its catalogue or guide error, or that it is up to date. Only ends that it
// saw begin are reported; a playlist removed (or on its way out) gets nothing.
class SyncToasts final : public QObject
{
    Q_OBJECT

public:
    explicit SyncToasts(AppModel &app, QObject *parent = nullptr);

    // The error sentence a finished run reports, if any: the catalogue error only when the run
    // contained a catalogue import (an earlier import's error is old news for a guide-only
    // refresh), else the guide error.
    [[nodiscard]] static std::optional<QString> runError(const SourceHealth &health, bool imported);

private:
    void update();

    AppModel &m_app;
    // The playlists with a running job when last looked, and those of them whose run contained
    // a catalogue import.
    QSet<qint64> m_running;
    QSet<qint64> m_imported;
    QSet<qint64> m_lastSeen;
};
