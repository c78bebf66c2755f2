#pragma once

#include "Views/Shell/PageModel.h"

#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// The settings page's list of sections and the one shown. The page starts on "General" unless
// another view has asked for a section through the application model, which it takes (and
// clears) when it is shown.
class SettingsPageModel : public PageModel
{
    Q_OBJECT
    // Each {title, symbol}, in display order.
    Q_PROPERTY(QVariantList sections READ sections CONSTANT)
    Q_PROPERTY(QString section READ section WRITE setSection NOTIFY sectionChanged)
    QML_ELEMENT

public:
    using PageModel::PageModel;


    [[nodiscard]] static QVariantList sections();
    [[nodiscard]] const QString &section() const { return m_section; }
    // A title that names no section is ignored.
    void setSection(const QString &section);

Q_SIGNALS:
    void sectionChanged();

protected:
    void start(AppModel &app) override;

private:
    void takeRequestedSection();

    QString m_section = QStringLiteral("General");
};
