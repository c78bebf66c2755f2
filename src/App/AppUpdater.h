#pragma once

#include "App/UpdateInfo.h"
#include "App/UpdateServiceClient.h"

#include <QCoroTask>
#include <QObject>
#include <QStringView>
#include <QUrl>
#include <QVariant>

#include <functional>
#include <optional>
#include <stop_token>

class Clock;

// Checks at launch, at most once a day, whether a newer version exists, and holds the offer: an
// optional update shows as a banner the user may close, a mandatory one as a card that blocks
// the window. Every failure of the check is silent.
class AppUpdater final : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool dismissed READ isDismissed WRITE setDismissed NOTIFY dismissedChanged)
    Q_PROPERTY(QVariant banner READ bannerValue NOTIFY bannerChanged)
    Q_PROPERTY(QVariant blocking READ blockingValue NOTIFY blockingChanged)

public:
    // Hands an address to the default browser.
    using UrlOpener = std::function<void(const QUrl &)>;

    // Without an opener, addresses open through QDesktopServices.
    AppUpdater(UpdateServiceClient api, Clock &clock, UrlOpener opener = {}, QObject *parent = nullptr);
    // Abandons a check still in flight.
    ~AppUpdater() override;

    // The offered newer version.
    [[nodiscard]] const std::optional<UpdateInfo> &available() const { return m_available; }
    // Offers a version (or withdraws the offer) as a check would.
    void setAvailable(const std::optional<UpdateInfo> &offer);
    // The banner was closed; kept for this run only.
    [[nodiscard]] bool isDismissed() const { return m_dismissed; }
    void setDismissed(bool dismissed);
    // An optional update while the banner is not dismissed.
    [[nodiscard]] std::optional<UpdateInfo> banner() const;
    // A mandatory update, whatever the banner's state.
    [[nodiscard]] std::optional<UpdateInfo> blocking() const;

    // Asks the service unless the last answered check is less than a day old (or force).
    [[nodiscard]] QCoro::Task<void> checkIfDue(bool force);
    // Opens the offer's download page in the browser; only http and https addresses are opened.
    Q_INVOKABLE void open() const;

    // Compares dotted version numbers; text around the numbers is ignored ("2.0-beta" is 2.0)
    // and missing positions count as 0.
    [[nodiscard]] static bool isNewer(QStringView candidate, QStringView current);

Q_SIGNALS:
    void availableChanged();
    void dismissedChanged();
    void bannerChanged();
    void blockingChanged();

private:
    // Applies a change of the offer or of the banner's state and announces what it changed.
    void changeOffer(const std::function<void()> &change);
    [[nodiscard]] QVariant bannerValue() const;
    [[nodiscard]] QVariant blockingValue() const;

    const UpdateServiceClient m_api;
    Clock &m_clock;
    const UrlOpener m_opener;
    std::stop_source m_stop;
    std::optional<UpdateInfo> m_available;
    bool m_dismissed = false;
};
