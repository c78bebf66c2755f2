#pragma once

#include <QObject>
#include <QPointer>
#include <QQmlParserStatus>
#include <QtQml/qqmlregistration.h>

class AppModel;

Q_MOC_INCLUDE("App/AppModel.h")

// The base of every C++ half of a view that works on the application model: the kit's parts,
// the shell, the pages and the player screen. The view's QML builds it afresh with each build of
// the view and hands it the application model through `app`; the object starts its work once,
// when the view is complete. Built from C++ (a test), it starts as soon as it has its
// application model.
class ViewModel : public QObject, public QQmlParserStatus
{
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(AppModel *app READ app WRITE setApp NOTIFY appChanged REQUIRED)
    QML_ANONYMOUS

public:
    using QObject::QObject;

    [[nodiscard]] AppModel *app() const;
    // Only the first application model counts: a view lives on one.
    void setApp(AppModel *app);

    void classBegin() override;
    void componentComplete() override;

Q_SIGNALS:
    void appChanged();

protected:
    // Runs once, with the application model, when the view is complete. An object that only
    // acts when asked needs none.
    virtual void start(AppModel &app);
    // True from the moment start() is called.
    [[nodiscard]] bool isStarted() const { return m_started; }

private:
    void startWhenReady();

    QPointer<AppModel> m_app;
    bool m_building = false;
    bool m_started = false;
};
