#pragma once

#include <QString>
#include <QStringView>

#include <optional>

// Turns a provider category name ("UK: Sports", "|AR| MBC", "FR - Cinema") into a language key,
// so that lists can group categories by language and users can hide whole languages.
namespace CategoryLanguage {

struct Detection
{
    QString key;                  // a key of the language table, "x:" and an unknown tag, or "en"
    std::optional<QString> label; // the tag as found in the name

    friend bool operator==(const Detection &, const Detection &) = default;
};

// Never fails: no name, or a name without a recognisable tag, is English with no label.
[[nodiscard]] Detection detect(std::optional<QStringView> name);

// "French" for "fr"; "ZZ" for "x:ZZ"; any other unknown key as it is.
[[nodiscard]] QString displayName(const QString &key);

} // namespace CategoryLanguage
