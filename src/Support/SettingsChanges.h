#pragma once

#include <QObject>
#include <QString>

// Announces each user setting whose stored value has just changed, so that long-lived objects
// that show a setting (the browse models' category lists, the settings page's controls) follow
// it at once instead of at their next rebuild. There is one for the process, as there is one
// settings file for the user.
class SettingsChanges final : public QObject
{
    Q_OBJECT

public:
    [[nodiscard]] static SettingsChanges &instance();

Q_SIGNALS:
    // Emitted on the writing thread; receivers on the main thread get it queued from workers.
    void changed(const QString &key);

private:
    SettingsChanges() = default;
};
