#pragma once

#include <QString>
#include <QStringList>

// The terms the user searched for lately, newest first, as the search page keeps them in the
// user's settings: one text of terms joined by line feeds.
namespace RecentSearches {

inline constexpr int maximumTerms = 10;

// What a search field's text searches for: one line (every line break, pasted ones too, made a
// space), trimmed.
[[nodiscard]] QString term(const QString &typed);

// The stored text's terms in stored order, empty pieces left out, at most ten.
[[nodiscard]] QStringList parse(const QString &stored);
[[nodiscard]] QString join(const QStringList &terms);

// The terms with `term` (made one line) put first: an earlier entry that differs only in case
// goes, and only the newest ten stay. A term of fewer than two characters is not remembered.
[[nodiscard]] QStringList remember(QStringList terms, const QString &term);

} // namespace RecentSearches
