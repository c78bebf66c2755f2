#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <optional>

// The TV guide's lasting view state: the guide page is rebuilt each time it is opened, but it
// binds to this one object, so it comes back with the same category, search text, day, position
// and channels for as long as the program runs. Nothing of it is saved.
class GuideState : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int dayOffset READ dayOffset WRITE setDayOffset NOTIFY dayOffsetChanged)
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(double minuteOffset READ minuteOffset WRITE setMinuteOffset NOTIFY minuteOffsetChanged)
    Q_PROPERTY(QString loadedKey READ loadedKey WRITE setLoadedKey NOTIFY loadedKeyChanged)

public:
    using ProgrammeCache = QHash<QString, QList<GuideProgramme>>;

    explicit GuideState(QObject *parent = nullptr);

    // None until the guide's first load adopts the live list's scope.
    [[nodiscard]] const std::optional<BrowseScope> &scope() const { return m_scope; }
    void setScope(const std::optional<BrowseScope> &scope);
    // Calendar days from today.
    [[nodiscard]] int dayOffset() const { return m_dayOffset; }
    void setDayOffset(int dayOffset);
    [[nodiscard]] const QString &query() const { return m_query; }
    void setQuery(const QString &query);
    // The minute of the shown day at the left edge of the time line.
    [[nodiscard]] double minuteOffset() const { return m_minuteOffset; }
    void setMinuteOffset(double minuteOffset);
    [[nodiscard]] const QList<MediaItem> &channels() const { return m_channels; }
    void setChannels(const QList<MediaItem> &channels);
    [[nodiscard]] const QString &loadedKey() const { return m_loadedKey; }
    void setLoadedKey(const QString &loadedKey);
    // Programmes already read, one entry per row and day.
    [[nodiscard]] const ProgrammeCache &cache() const { return m_cache; }
    // Replaces every entry (announced by cacheChanged).
    void setCache(const ProgrammeCache &cache);
    // Adds or replaces one entry in place (announced by programmesStored), so that filling the
    // cache row by row never copies it.
    void storeProgrammes(const QString &key, const QList<GuideProgramme> &programmes);

Q_SIGNALS:
    void scopeChanged();
    void dayOffsetChanged();
    void queryChanged();
    void minuteOffsetChanged();
    void channelsChanged();
    void loadedKeyChanged();
    void cacheChanged();
    void programmesStored(const QString &key);

private:
    std::optional<BrowseScope> m_scope;
    int m_dayOffset = 0;
    QString m_query;
    double m_minuteOffset = 0;
    QList<MediaItem> m_channels;
    QString m_loadedKey;
    ProgrammeCache m_cache;
};
