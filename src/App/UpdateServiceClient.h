#pragma once

#include "App/UpdateInfo.h"
#include "Support/HttpClient.h"

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
    struct Response
    {
        QByteArray body;
        int status = 0;
    };

    explicit UpdateServiceClient(QUrl baseURL);

    [[nodiscard]] const QUrl &baseURL() const { return m_baseURL; }

    // GET <base>/api/v1/updates/latest?platform=linux&current=<version>. None when the service
    // answers 204 (no update); throws UpdateServiceError for another status outside 2xx and for a
    // reply that does not decode.
    [[nodiscard]] QCoro::Task<std::optional<UpdateInfo>> latestUpdate(QString current, std::stop_token stop = {}) const;
    // Sends a GET and returns the body and status whatever the status is; throws
    // UpdateServiceError::unreachable() when no reply arrives.
    [[nodiscard]] static QCoro::Task<Response> perform(HttpClient::Request request, std::stop_token stop = {});

private:
    QUrl m_baseURL;
};
