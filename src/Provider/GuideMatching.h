#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// Finds the guide channel of a live channel that came without a usable guide id, from the
// channel's display title. It answers only when exactly one guide channel fits, so that an
// ambiguous title never links a channel to the wrong guide.
class GuideMatching
{
public:
    explicit GuideMatching(const QStringList &channelIDs);

    [[nodiscard]] std::optional<QString> match(const QString &title) const;

private:
    // Lower case, letters and digits only (of any script): "News One.uk" -> "newsoneuk".
    [[nodiscard]] static QString compact(const QString &text);
    // The compact form and its forms without a country ending, then without quality endings.
    [[nodiscard]] static QSet<QString> keys(const QString &text);

    QHash<QString, QSet<QString>> m_exactIndex;
    QHash<QString, QSet<QString>> m_fuzzyIndex;
};
