#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

// How a playlist's provider last behaved: catalogue and guide refreshes, the running guide
// refresh and the last connection check, each with the sentence of its last failure. Kept per
// playlist in user settings as a JSON object whose keys are the field names.
struct SourceHealth
{
    std::optional<QDateTime> catalogueAttempt;
    std::optional<QDateTime> lastCatalogueSuccess;
    std::optional<QString> catalogueError;
    std::optional<QDateTime> guideAttempt;
    std::optional<QDateTime> lastGuideSuccess;
    std::optional<QString> guideError;
    std::optional<qint64> guideProgrammeCount;
    std::optional<bool> guideInProgress;
    std::optional<QDateTime> connectionChecked;
    std::optional<QString> connectionError;

    // Absent fields are left out; dates are seconds since 2001-01-01 00:00:00 UTC.
    [[nodiscard]] QByteArray encoded() const;
    // None when the data is not a JSON object or a known key holds a value of the wrong type.
    // Unknown keys are ignored; a missing key (or null) leaves its field absent.
    [[nodiscard]] static std::optional<SourceHealth> decoded(const QByteArray &data);

    friend bool operator==(const SourceHealth &, const SourceHealth &) = default;
};
