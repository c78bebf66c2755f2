#include "UpdateServiceClient.h"

#include "App/UpdateServiceError.h"
#include "Support/Async.h"
#include "Support/HttpClient.h"
#include "Support/OversizedBodyError.h"
#include "Support/TransportError.h"

#include <chrono>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

struct Response
{
    QByteArray body;
    int status = 0;
};

// Sends a GET and returns the body and status whatever the status is.
QCoro::Task<Response> perform(HttpClient::Request request, std::stop_token stop)
{
    return Async::detached([request = std::move(request), stop = std::move(stop)] {
        Response response;
        try {
            // Every status is a reply here; the caller decides what it means.
            response.body = HttpClient::get(request, [&response](int status) { response.status = status; }, stop);
        } catch (const TransportError &) {
            throw UpdateServiceError::unreachable();
        } catch (const OversizedBodyError &) {
            throw UpdateServiceError::unreadable(response.status);
        }
        return response;
    });
}

} // namespace

UpdateServiceClient::UpdateServiceClient(QUrl baseURL)
    : m_baseURL(std::move(baseURL))
{
}

QCoro::Task<std::optional<UpdateInfo>> UpdateServiceClient::latestUpdate(QString current, std::stop_token stop) const
{
    QUrl address = m_baseURL;
    QString path = address.path();
    while (path.endsWith(u'/'))
        path.chop(1);
    address.setPath(path + u"/api/v1/updates/latest"_s);
    address = HttpClient::withQuery(address, {{u"platform"_s, u"linux"_s}, {u"current"_s, current}});

    const Response response = co_await perform({address, 60s}, std::move(stop));
    if (response.status == 204)
        co_return std::nullopt;
    if (response.status < 200 || response.status > 299)
        throw UpdateServiceError(response.status, u"http"_s,
                                 u"The update service answered with status %1."_s.arg(response.status));
    std::optional<UpdateInfo> info = UpdateInfo::fromJson(response.body);
    if (!info)
        throw UpdateServiceError::unreadable(response.status);
    co_return info;
}
