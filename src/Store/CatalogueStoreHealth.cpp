// Per-playlist health records: every change goes through updateHealth, which keeps the
// in-memory map and the stored copy in the user settings together.
#include "CatalogueStore.h"

#include "Support/UserSettings.h"

using namespace Qt::StringLiterals;

void CatalogueStore::updateHealth(qint64 playlistID, const HealthChange &change)
{
    SourceHealth record = m_health.value(playlistID);
    change(record);
    m_health.insert(playlistID, record);
    Q_EMIT healthChanged();
    saveHealth(playlistID, record);
}

void CatalogueStore::saveHealth(qint64 playlistID, const SourceHealth &record)
{
    UserSettings::setValue(u"quillmere.health."_s + QString::number(playlistID), record.encoded());
}
