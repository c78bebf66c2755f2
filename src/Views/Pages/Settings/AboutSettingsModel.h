#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

// The "About" section's version line.
class AboutSettingsModel : public QObject
{
    Q_OBJECT
    // "Version 1.0.0": the running program's version, the one the update check reports.
    Q_PROPERTY(QString versionTitle READ versionTitle CONSTANT)
    QML_ELEMENT

public:
    using QObject::QObject;

    [[nodiscard]] static QString versionTitle();
};
