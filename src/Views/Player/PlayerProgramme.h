#pragma once

#include "Catalogue/CatalogueModels.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

#include <optional>

// The live bar's programmes: the one on now with its times, what is left of it and how far it has
// run, the one up next, and the line shown while there is none. The programme on now comes from
// the channel's schedule in the imported guide, else from the provider's short guide.
class PlayerProgramme : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Each player view model makes its own programme.")

    Q_PROPERTY(bool hasNow READ hasNow NOTIFY nowChanged)
    Q_PROPERTY(QString nowTitle READ nowTitle NOTIFY nowChanged)
    Q_PROPERTY(QString nowDescription READ nowDescription NOTIFY nowChanged)
    // "21:00 – 22:30".
    Q_PROPERTY(QString nowTimes READ nowTimes NOTIFY nowChanged)
    // "12m left".
    Q_PROPERTY(QString nowRemaining READ nowRemaining NOTIFY nowRemainingChanged)
    Q_PROPERTY(double nowProgress READ nowProgress NOTIFY nowProgressChanged)
    Q_PROPERTY(bool hasNext READ hasNext NOTIFY nextChanged)
    Q_PROPERTY(QString nextTitle READ nextTitle NOTIFY nextChanged)
    // "NEXT · 22:30".
    Q_PROPERTY(QString nextHeading READ nextHeading NOTIFY nextChanged)
    // In place of the programme on now while there is none.
    Q_PROPERTY(QString placeholder READ placeholder NOTIFY placeholderChanged)

public:
    using QObject::QObject;

    // Chooses the programmes again at `now`: the schedule first, the short guide where the
    // schedule has nothing that fits; the placeholder tells whether the short guide is loading.
    void update(const QList<GuideProgramme> &schedule, const std::optional<LiveProgramme> &shortGuideNow,
                const std::optional<LiveProgramme> &shortGuideNext, bool shortGuideLoading, const QDateTime &now);

    [[nodiscard]] bool hasNow() const { return m_now.has_value(); }
    [[nodiscard]] QString nowTitle() const;
    [[nodiscard]] QString nowDescription() const;
    [[nodiscard]] QString nowTimes() const;
    [[nodiscard]] QString nowRemaining() const { return m_nowRemaining; }
    [[nodiscard]] double nowProgress() const { return m_nowProgress; }
    [[nodiscard]] bool hasNext() const { return m_next.has_value(); }
    [[nodiscard]] QString nextTitle() const;
    [[nodiscard]] QString nextHeading() const;
    [[nodiscard]] QString placeholder() const;

Q_SIGNALS:
    void nowChanged();
    void nowRemainingChanged();
    void nowProgressChanged();
    void nextChanged();
    void placeholderChanged();

private:
    std::optional<GuideProgramme> m_now;
    QString m_nowRemaining;
    double m_nowProgress = 0;
    std::optional<GuideProgramme> m_next;
    bool m_loading = false;
};
