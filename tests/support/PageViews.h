#pragma once

#include "QmlHarness.h"

#include "Views/Shell/PageModel.h"

#include <QQuickItem>
#include <QTest>

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

} // namespace PageViews
