#pragma once

#include "Views/Kit/ViewModel.h"

#include <QString>
#include <QtQml/qqmlregistration.h>

// The "Updates" section's manual refreshes of the active playlist: whether there is one, the
// title of its group, whether a refresh of it runs (which disables both buttons), and the two
// refreshes.
class UpdateSettingsModel : public ViewModel
{
    Q_OBJECT
    Q_PROPERTY(bool hasActive READ hasActive NOTIFY changed)
    Q_PROPERTY(QString groupTitle READ groupTitle NOTIFY changed)
    Q_PROPERTY(bool refreshing READ isRefreshing NOTIFY changed)
    QML_ELEMENT

public:
    using ViewModel::ViewModel;


    [[nodiscard]] bool hasActive() const;
    // "Update now · <name>".
    [[nodiscard]] QString groupTitle() const;
    [[nodiscard]] bool isRefreshing() const;

    Q_INVOKABLE void refreshPlaylist();
    Q_INVOKABLE void refreshGuide();

Q_SIGNALS:
    void changed();

protected:
    void start(AppModel &app) override;

private:

};
