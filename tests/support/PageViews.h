#pragma once

#include "QmlHarness.h"

#include "Views/Shell/PageModel.h"

#include <QQuickItem>
#include <QTest>

#include <functional>

// Helpers for tests that drive whole pages offscreen.
namespace PageViews {

// Makes a page from QML text and waits until its page object shows its first data; null when it
// cannot be made or never gets there.
inline QQuickItem *open(QmlHarness &harness, const QString &qml)
{
    QQuickItem *page = harness.createFromQml(qml);
    const bool ready = page && QTest::qWaitFor([page] {
        const auto *model = page->findChild<PageModel *>();
        return model && model->isReady();
    });
    return ready ? page : nullptr;
}

// The shown entry of an open menu with this text, through the visual tree (menus lie in the
// window's overlay).
inline QQuickItem *menuEntry(QQuickItem *root, const QString &text)
{
    if (root->isVisible() && root->inherits("QQuickMenuItem") && root->property("text").toString() == text)
        return root;
    for (QQuickItem *child : root->childItems()) {
        if (QQuickItem *found = menuEntry(child, text))
            return found;
    }
    return nullptr;
}

// The tooltip that shows in the window now (tooltips, as every popup, lie in its overlay), or
// null; its class tells whether it is the kit's HelpTip.
inline QObject *shownTip(QQuickWindow &window)
{
    const std::function<QObject *(QQuickItem *)> search = [&search](QQuickItem *item) -> QObject * {
        if (item->isVisible() && item->inherits("QQuickPopupItem") && item->parent()
            && item->parent()->inherits("QQuickToolTip"))
            return item->parent();
        for (QQuickItem *child : item->childItems()) {
            if (QObject *found = search(child))
                return found;
        }
        return nullptr;
    };
    return search(window.contentItem());
}

inline bool isHelpTip(const QObject *tip)
{
    return tip && QByteArray(tip->metaObject()->className()).startsWith("HelpTip");
}

} // namespace PageViews
