#pragma once

#include <QObject>

class AppModel;

// Shows each database error sentence of the store as an error notice and then clears it, so that
// the same sentence shows again when it is reported again. A sentence already waiting when the
// shell starts watching is shown too: the store may fail to open before the window is up.
class DatabaseErrorToasts final : public QObject
{
    Q_OBJECT

public:
    explicit DatabaseErrorToasts(AppModel &app, QObject *parent = nullptr);

private:
    void showPending();

    AppModel &m_app;
};
