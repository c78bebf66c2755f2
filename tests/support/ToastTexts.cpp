#include "ToastTexts.h"

#include "App/AppModel.h"
#include "App/ToastKind.h"

using namespace Qt::StringLiterals;

QStringList toastTexts(const AppModel &app)
{
    QStringList texts;
    for (const ToastMessage &toast : app.toasts())
        texts.append(toast.text);
    return texts;
}

QStringList toastLines(const AppModel &app)
{
    QStringList lines;
    for (const ToastMessage &toast : app.toasts())
        lines.append(toastKindText(toast.kind) + u": "_s + toast.text);
    return lines;
}
