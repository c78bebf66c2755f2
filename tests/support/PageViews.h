#pragma once

#include "QmlHarness.h"

#include "Views/Shell/PageModel.h"

#include <QQuickItem>
#include <QRectF>
#include <QStringList>
#include <QTest>

#include <functional>
#include <optional>

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

// The first item under `root` (`root` included), in the order of the visual tree, that is
// shown and `matches`; null when there is none.
inline QQuickItem *firstShown(QQuickItem *root, const std::function<bool(const QQuickItem *)> &matches)
{
    if (!root)
        return nullptr;
    if (root->isVisible() && matches(root))
        return root;
    for (QQuickItem *child : root->childItems()) {
        if (QQuickItem *found = firstShown(child, matches))
            return found;
    }
    return nullptr;
}

// The first shown item of that class ("ArtworkView") under `root`, `root` included.
inline QQuickItem *firstOfClass(QQuickItem *root, const char *className)
{
    return firstShown(root, [className](const QQuickItem *item) { return item->inherits(className); });
}

// The shown entry of an open menu with this text, through the visual tree (menus lie in the
// window's overlay).
inline QQuickItem *menuEntry(QQuickItem *root, const QString &text)
{
    return firstShown(root, [&text](const QQuickItem *item) {
        return item->inherits("QQuickMenuItem") && item->property("text").toString() == text;
    });
}

// The tooltip that shows in the window now (tooltips, as every popup, lie in its overlay), or
// null; its class tells whether it is the kit's HelpTip.
inline QObject *shownTip(QQuickWindow &window)
{
    const QQuickItem *tip = firstShown(window.contentItem(), [](const QQuickItem *item) {
        return item->inherits("QQuickPopupItem") && item->parent() && item->parent()->inherits("QQuickToolTip");
    });
    return tip ? tip->parent() : nullptr;
}

inline bool isHelpTip(const QObject *tip)
{
    return tip && QByteArray(tip->metaObject()->className()).startsWith("HelpTip");
}

// The controls and texts under `root` that do not lie wholly inside `bounds` (scene
// coordinates), by object name or class. Content that a list or page scrolls along an axis is
// checked only along the other one; its own view is checked on both. Inside an item that clips,
// what it hides wholly is not shown, and what it cuts counts as outside.
inline QStringList outside(QQuickItem *root, QRectF bounds, bool checkX = true, bool checkY = true)
{
    QStringList found;
    if (!root->isVisible() || root->opacity() == 0)
        return found;
    const QRectF rect = root->mapRectToScene(QRectF(0, 0, root->width(), root->height()));
    if (root->inherits("QQuickAbstractButton") || root->inherits("QQuickText") || root->inherits("QQuickTextInput")) {
        const bool outX = checkX && (rect.left() < bounds.left() - 0.5 || rect.right() > bounds.right() + 0.5);
        const bool outY = checkY && (rect.top() < bounds.top() - 0.5 || rect.bottom() > bounds.bottom() + 0.5);
        const bool hidden = (checkX && (rect.right() <= bounds.left() || rect.left() >= bounds.right()))
                         || (checkY && (rect.bottom() <= bounds.top() || rect.top() >= bounds.bottom()));
        if ((outX || outY) && !hidden) {
            const QString name = root->objectName().isEmpty() ? QString::fromLatin1(root->metaObject()->className())
                                                               : root->objectName();
            found.append(name + QStringLiteral(" \"") + root->property("text").toString() + QLatin1Char('"'));
        }
    }
    if (root->inherits("QQuickFlickable")) {
        checkX = checkX && root->property("contentWidth").toReal() <= root->width() + 0.5;
        checkY = checkY && root->property("contentHeight").toReal() <= root->height() + 0.5;
    } else if (root->clip()) {
        bounds = bounds.intersected(rect);
    }
    for (QQuickItem *child : root->childItems())
        found.append(outside(child, bounds, checkX, checkY));
    return found;
}

// Every visible text of that name under `root` that is cut short.
inline QStringList truncated(QQuickItem *root, const QString &name)
{
    QStringList found;
    for (QQuickItem *text : QmlHarness::findAll(root, name)) {
        if (text->isVisible() && text->property("truncated").toBool())
            found.append(text->property("text").toString());
    }
    return found;
}

// The scene rectangle of the popup that shows in the window now.
inline std::optional<QRectF> shownPopup(QQuickItem *root)
{
    const QQuickItem *popup = firstOfClass(root, "QQuickPopupItem");
    if (!popup)
        return std::nullopt;
    return popup->mapRectToScene(QRectF(0, 0, popup->width(), popup->height()));
}

} // namespace PageViews
