#pragma once

#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQml/qqmlregistration.h>

class AppModel;

Q_MOC_INCLUDE("App/AppModel.h")

// The "Privacy & data" section: clearing the active playlist's watch history or favourites
// behind a confirmation, clearing the artwork caches, and the data folder with its way into the
// file manager.
class DataSettingsModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(AppModel *app READ app WRITE setApp NOTIFY appChanged REQUIRED)
    // The confirmation waiting for an answer: "history", "favourites", or empty for none.
    Q_PROPERTY(QString confirm READ confirm NOTIFY confirmChanged)
    Q_PROPERTY(QString confirmTitle READ confirmTitle NOTIFY confirmChanged)
    Q_PROPERTY(QString dataFolder READ dataFolder NOTIFY appChanged)
    QML_ELEMENT

public:
    using QObject::QObject;

    [[nodiscard]] AppModel *app() const { return m_app; }
    void setApp(AppModel *app);

    [[nodiscard]] const QString &confirm() const { return m_confirm; }
    [[nodiscard]] QString confirmTitle() const;
    // The folder that holds the catalogue database.
    [[nodiscard]] QString dataFolder() const;

    // Asks to confirm clearing "history" or "favourites".
    Q_INVOKABLE void askToClear(const QString &what);
    // The confirmation went away without "Clear".
    Q_INVOKABLE void dismiss();
    // "Clear" in the confirmation: clears what it asked about, then says so.
    Q_INVOKABLE void clearConfirmed();
    Q_INVOKABLE void showDataFolder();

Q_SIGNALS:
    void appChanged();
    void confirmChanged();

private:
    static QCoro::Task<void> clear(QPointer<AppModel> app, QString what);
    void setConfirm(const QString &confirm);

    AppModel *m_app = nullptr;
    QString m_confirm;
};
