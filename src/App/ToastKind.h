#pragma once

#include <QString>

// How a notice looks and how long it stays.
enum class ToastKind { Info, Success, Warning, Error };

// "info", "success", "warning" or "error", for the views.
[[nodiscard]] QString toastKindText(ToastKind kind);
