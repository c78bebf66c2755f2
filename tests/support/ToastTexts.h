#pragma once

#include <QStringList>

class AppModel;

// The texts of the notices shown now, oldest first.
[[nodiscard]] QStringList toastTexts(const AppModel &app);
// The same, each after its kind ("info: French categories hidden").
[[nodiscard]] QStringList toastLines(const AppModel &app);
