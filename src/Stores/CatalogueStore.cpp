#include "CatalogueStore.h"

CatalogueStore::CatalogueStore(QObject *parent)
    : QObject(parent)
{
}

std::optional<qint64> CatalogueStore::selectedPlaylistID() const
{
    return std::nullopt;
}

double CatalogueStore::resumePosition(const QString &providerID, CatalogueKind kind) const
{
    Q_UNUSED(providerID)
    Q_UNUSED(kind)
    return 0;
}
