#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class AppModel;

Q_MOC_INCLUDE("App/AppModel.h")

// The "Updates" section's manual refreshes of the active playlist: whether there is one, the
// title of its group, whether a refresh of it runs (which disables both buttons), and the two
// refreshes.
class UpdateSettingsModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(AppModel *app READ app WRITE setApp NOTIFY appChanged REQUIRED)
    Q_PROPERTY(bool hasActive READ hasActive NOTIFY changed)
    Q_PROPERTY(QString groupTitle READ groupTitle NOTIFY changed)
    Q_PROPERTY(bool refreshing READ isRefreshing NOTIFY changed)
    QML_ELEMENT

public:
    using QObject::QObject;

    [[nodiscard]] AppModel *app() const { return m_app; }
    void setApp(AppModel *app);

    [[nodiscard]] bool hasActive() const;
    // "Update now · <name>".
    [[nodiscard]] QString groupTitle() const;
    [[nodiscard]] bool isRefreshing() const;

    Q_INVOKABLE void refreshPlaylist();
    Q_INVOKABLE void refreshGuide();

Q_SIGNALS:
    void appChanged();
    void changed();

private:
    void start(AppModel &app);

    AppModel *m_app = nullptr;
};
