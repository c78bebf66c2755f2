#pragma once

#include "App/AppModel.h"
#include "App/AppUpdater.h"
#include "App/BrowseModel.h"
#include "App/PlayerCommands.h"
#include "Artwork/ArtworkMemory.h"
#include "Playback/PlaybackWindowController.h"
#include "Store/CatalogueStore.h"

#include <QPointer>
#include <QQmlEngine>
#include <QtQml/qqmlregistration.h>

// The long-lived objects that main() builds, handed to the views as QML singletons: the one way
// a program object reaches QML. Each is declared below as a foreign singleton whose create()
// returns the instance given to provide(); C++ keeps ownership. The views' stateless helpers
// (QM, Icons, TimeText, ...) are the other kind of singleton: the engine makes those itself.

namespace QmlSingletons {

template<typename T>
struct Instance
{
    inline static QPointer<T> object;

    static T *create(QQmlEngine *, QJSEngine *)
    {
        Q_ASSERT_X(object, "QmlSingletons", "provide() the instances before the first engine loads");
        QJSEngine::setObjectOwnership(object, QJSEngine::CppOwnership);
        return object;
    }
};

// Before the first QML engine loads the views; every engine made later reads these. A test that
// loads only some views provides only the objects they read.
template<typename... T>
void provide(T &...objects)
{
    ((Instance<T>::object = &objects), ...);
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

struct ArtworkMemoryForeign : QmlSingletons::Instance<ArtworkMemory>
{
    Q_GADGET
    QML_FOREIGN(ArtworkMemory)
    QML_NAMED_ELEMENT(ArtworkMemory)
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
