#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <optional>

// The update service's offer of a version: its number, its download page, optional release notes
// and whether it is required.
struct UpdateInfo
{
    QString version;
    QString url;
    std::optional<QString> notes;
    // Only true makes the update mandatory.
    std::optional<bool> mandatory;

    [[nodiscard]] bool isMandatory() const { return mandatory.value_or(false); }
    // The reply body as JSON: "version" and "url" texts are required, "notes" (text) and
    // "mandatory" (Boolean) may be missing or null. Any other shape is none.
    [[nodiscard]] static std::optional<UpdateInfo> fromJson(const QByteArray &body);
    // For the views: version, url, notes (when present) and mandatory.
    [[nodiscard]] QVariantMap toVariantMap() const;

    friend bool operator==(const UpdateInfo &, const UpdateInfo &) = default;
};
