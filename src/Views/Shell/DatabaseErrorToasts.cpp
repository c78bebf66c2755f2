#include "DatabaseErrorToasts.h"

#include "App/AppModel.h"
#include "Store/CatalogueStore.h"

DatabaseErrorToasts::DatabaseErrorToasts(AppModel &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
{
    connect(m_app.store(), &CatalogueStore::databaseErrorChanged, this, &DatabaseErrorToasts::showPending);
    showPending();
}

void DatabaseErrorToasts::showPending()
{
    CatalogueStore &store = *m_app.store();
    const std::optional<QString> sentence = store.databaseError();
    if (!sentence)
        return;
    m_app.toast(*sentence, ToastKind::Error);
    store.clearDatabaseError();
}
