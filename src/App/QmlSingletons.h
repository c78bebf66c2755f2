#pragma once

#include "App/AppModel.h"
#include "App/AppUpdater.h"
#include "App/BrowseModel.h"
#include "App/PlayerCommands.h"
#include "Playback/PlaybackWindowController.h"
#include "Store/CatalogueStore.h"

#include <QQmlEngine>
#include <QtQml/qqmlregistration.h>

// The long-lived objects that main() builds, handed to the views as QML singletons. Each
// singleton's create() returns the one instance given to provide(); C++ keeps ownership, and
// the instances must outlive every engine that reads them.

namespace QmlSingletons {

template<typename T>
struct Instance
{
    inline static T *object = nullptr;

    static T *create(QQmlEngine *, QJSEngine *)
    {
        Q_ASSERT_X(object, "QmlSingletons", "provide() the instances before the first engine loads");
        QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
        return object;
    }
};

// Before the first QML engine loads the views.
inline void provide(AppModel &app, AppUpdater &updater, PlaybackWindowController &playback, PlayerCommands &commands)
{
    Instance<AppModel>::object = &app;
    Instance<AppUpdater>::object = &updater;
    Instance<CatalogueStore>::object = app.store();
    Instance<PlaybackWindowController>::object = &playback;
    Instance<PlayerCommands>::object = &commands;
}

} // namespace QmlSingletons

struct AppModelForeign : QmlSingletons::Instance<AppModel>
{
    Q_GADGET
    QML_FOREIGN(AppModel)
    QML_NAMED_ELEMENT(AppModel)
    QML_SINGLETON
};

struct AppUpdaterForeign : QmlSingletons::Instance<AppUpdater>
{
    Q_GADGET
    QML_FOREIGN(AppUpdater)
    QML_NAMED_ELEMENT(AppUpdater)
    QML_SINGLETON
};

struct CatalogueStoreForeign : QmlSingletons::Instance<CatalogueStore>
{
    Q_GADGET
    QML_FOREIGN(CatalogueStore)
    QML_NAMED_ELEMENT(CatalogueStore)
    QML_SINGLETON
};

struct PlaybackWindowControllerForeign : QmlSingletons::Instance<PlaybackWindowController>
{
    Q_GADGET
    QML_FOREIGN(PlaybackWindowController)
    QML_NAMED_ELEMENT(PlaybackWindowController)
    QML_SINGLETON
};

struct PlayerCommandsForeign : QmlSingletons::Instance<PlayerCommands>
{
    Q_GADGET
    QML_FOREIGN(PlayerCommands)
    QML_NAMED_ELEMENT(PlayerCommands)
    QML_SINGLETON
};

struct BrowseModelForeign
{
    Q_GADGET
    QML_FOREIGN(BrowseModel)
    QML_NAMED_ELEMENT(BrowseModel)
    QML_UNCREATABLE("The application model owns the browse models.")
};

struct MediaItemListModelForeign
{
    Q_GADGET
    QML_FOREIGN(MediaItemListModel)
    QML_NAMED_ELEMENT(MediaItemListModel)
    QML_UNCREATABLE("Item lists belong to the models and pages that fill them.")
};
