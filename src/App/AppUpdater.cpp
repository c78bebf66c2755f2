#include "AppUpdater.h"

#include "App/ServiceConfig.h"
#include "Support/Clock.h"
#include "Support/UserSettings.h"
#include "Support/WebAddress.h"

#include <QDesktopServices>
#include <QPointer>

using namespace Qt::StringLiterals;

namespace {

const QString lastCheckKey = u"quillmere.update.lastCheck"_s;
constexpr qint64 checkIntervalMs = 86'400'000;

// The numbers of a version text, in order: every run of numeric characters that parses as a
// 64-bit integer (longer runs are dropped).
QList<qint64> versionNumbers(QStringView text)
{
    QList<qint64> numbers;
    qsizetype start = -1;
    for (qsizetype at = 0; at <= text.size(); ++at) {
        const bool numeric = at < text.size() && text.at(at).isNumber();
        if (numeric && start < 0) {
            start = at;
        } else if (!numeric && start >= 0) {
            bool ok = false;
            const qint64 number = text.sliced(start, at - start).toLongLong(&ok);
            if (ok)
                numbers.append(number);
            start = -1;
        }
    }
    return numbers;
}

QVariant offerValue(const std::optional<UpdateInfo> &offer)
{
    return offer ? QVariant(offer->toVariantMap()) : QVariant();
}

} // namespace

AppUpdater::AppUpdater(UpdateServiceClient api, Clock &clock, UrlOpener opener, QObject *parent)
    : QObject(parent)
    , m_api(std::move(api))
    , m_clock(clock)
    , m_opener(opener ? std::move(opener) : UrlOpener([](const QUrl &url) { QDesktopServices::openUrl(url); }))
{
}

AppUpdater::~AppUpdater()
{
    m_stop.request_stop();
}

void AppUpdater::setDismissed(bool dismissed)
{
    if (dismissed == m_dismissed)
        return;
    changeOffer([this, dismissed] { m_dismissed = dismissed; });
    Q_EMIT dismissedChanged();
}

std::optional<UpdateInfo> AppUpdater::banner() const
{
    if (m_dismissed || !m_available || m_available->isMandatory())
        return std::nullopt;
    return m_available;
}

std::optional<UpdateInfo> AppUpdater::blocking() const
{
    if (!m_available || !m_available->isMandatory())
        return std::nullopt;
    return m_available;
}

QVariant AppUpdater::bannerValue() const
{
    return offerValue(banner());
}

QVariant AppUpdater::blockingValue() const
{
    return offerValue(blocking());
}

void AppUpdater::changeOffer(const std::function<void()> &change)
{
    const std::optional<UpdateInfo> oldBanner = banner();
    const std::optional<UpdateInfo> oldBlocking = blocking();
    change();
    if (banner() != oldBanner)
        Q_EMIT bannerChanged();
    if (blocking() != oldBlocking)
        Q_EMIT blockingChanged();
}

QCoro::Task<void> AppUpdater::checkIfDue(bool force)
{
    const std::optional<QDateTime> lastCheck = UserSettings::date(lastCheckKey);
    // A check dated in the future (a clock set back) also waits.
    if (!force && lastCheck && lastCheck->msecsTo(m_clock.now()) < checkIntervalMs)
        co_return;

    QPointer<AppUpdater> self(this);
    const QString current = ServiceConfig::appVersion();
    std::optional<UpdateInfo> reply;
    bool answered = false;
    try {
        reply = co_await m_api.latestUpdate(current, m_stop.get_token());
        answered = true;
    } catch (...) {
        // Optional work: a failed check changes nothing and shows nothing.
    }
    // No update (204) stores no check time either, so the next launch asks again.
    if (!self || !answered || !reply)
        co_return;
    UserSettings::setValue(lastCheckKey, m_clock.now());
    setAvailable(isNewer(reply->version, current) ? reply : std::nullopt);
}

void AppUpdater::setAvailable(const std::optional<UpdateInfo> &offer)
{
    if (offer == m_available)
        return;
    changeOffer([this, &offer] { m_available = offer; });
    Q_EMIT availableChanged();
}

void AppUpdater::open() const
{
    if (!m_available)
        return;
    const QUrl address(m_available->url, QUrl::StrictMode);
    if (isWebAddress(address))
        m_opener(address);
}

bool AppUpdater::isNewer(QStringView candidate, QStringView current)
{
    const QList<qint64> offered = versionNumbers(candidate);
    const QList<qint64> running = versionNumbers(current);
    for (qsizetype position = 0; position < std::max(offered.size(), running.size()); ++position) {
        const qint64 a = offered.value(position, 0);
        const qint64 b = running.value(position, 0);
        if (a != b)
            return a > b;
    }
    return false;
}
