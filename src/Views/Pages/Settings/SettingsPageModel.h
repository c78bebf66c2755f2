#pragma once

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

class AppModel;

Q_MOC_INCLUDE("App/AppModel.h")

// The settings page's list of sections and the one shown. The page starts on "General" unless
// another view has asked for a section through the application model, which it takes (and
// clears) when it is shown.
class SettingsPageModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(AppModel *app READ app WRITE setApp NOTIFY appChanged REQUIRED)
    // Each {title, symbol}, in display order.
    Q_PROPERTY(QVariantList sections READ sections CONSTANT)
    Q_PROPERTY(QString section READ section WRITE setSection NOTIFY sectionChanged)
    QML_ELEMENT

public:
    using QObject::QObject;

    [[nodiscard]] AppModel *app() const { return m_app; }
    void setApp(AppModel *app);

    [[nodiscard]] static QVariantList sections();
    [[nodiscard]] const QString &section() const { return m_section; }
    // A title that names no section is ignored.
    void setSection(const QString &section);

Q_SIGNALS:
    void appChanged();
    void sectionChanged();

private:
    AppModel *m_app = nullptr;
    QString m_section = QStringLiteral("General");
};
