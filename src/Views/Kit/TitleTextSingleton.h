#pragma once

#include "Support/TitleText.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The title helpers for QML: `text: TitleText.isolated(item.title)`.
class TitleTextSingleton : public QObject
{
    Q_OBJECT
    QML_NAMED_ELEMENT(TitleText)
    QML_SINGLETON

public:
    using QObject::QObject;

    // The year in parentheses in the title, or the empty text.
    Q_INVOKABLE static QString year(const QString &title) { return TitleText::year(title).value_or(QString()); }
    // A provider's title wrapped in directional isolates.
    Q_INVOKABLE static QString isolated(const QString &title) { return TitleText::isolated(title); }
};
