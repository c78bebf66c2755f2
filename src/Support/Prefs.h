#pragma once

#include <QString>
#include <QStringView>

// A user setting that reads as a default while its key holds nothing of its type: never written,
// damaged, or written by another program. PrefKeys defines each one the program reads.
template<typename T>
struct Pref
{
    QStringView key;
    T defaultValue;
};

// Typed readers of user settings: a missing key and a key holding a value of another type both
// give the default, so that no reader ever misreads a damaged or foreign setting.
namespace Prefs {

[[nodiscard]] bool read(const Pref<bool> &pref);
[[nodiscard]] int read(const Pref<int> &pref);
[[nodiscard]] QString read(const Pref<QStringView> &pref);

} // namespace Prefs
