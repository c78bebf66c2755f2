#pragma once

#include "App/UpdateInfo.h"

#include <QCoroTask>
#include <QString>
#include <QUrl>

#include <optional>
#include <stop_token>

// Asks the update service for the newest version. Requests run on a worker thread; callers on
// the main thread await them.
class UpdateServiceClient final
{
public:
    explicit UpdateServiceClient(QUrl baseURL);

    // GET <base>/api/v1/updates/latest?platform=linux&current=<version>. None when the service
    // answers 204 (no update); throws UpdateServiceError for another status outside 2xx, for a
    // reply that does not decode, and (as UpdateServiceError::unreachable()) when no reply arrives.
    [[nodiscard]] QCoro::Task<std::optional<UpdateInfo>> latestUpdate(QString current, std::stop_token stop = {}) const;

private:
    QUrl m_baseURL;
};
