#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QSize>
#include <QString>
#include <QVariantMap>

#include <memory>
#include <optional>

class QQuickItem;

// Loads parts of the "Quillmere" QML module offscreen in a window of their own and drives them
// the way a user would: real pointer moves, presses and key strokes, then pictures of the result.
// Any QML warning (a failed binding, an unknown symbol) fails the running test function.
// Animations end at once (InstantAnimations), so that a test reads the end of each transition.
// The test executable imports the module's plugin (Q_IMPORT_QML_PLUGIN(QuillmerePlugin)).
class QmlHarness final
{
public:
    explicit QmlHarness(QSize windowSize = {640, 480}, QColor background = QColor(5, 8, 15));
    ~QmlHarness();

    QmlHarness(const QmlHarness &) = delete;
    QmlHarness &operator=(const QmlHarness &) = delete;

    // Makes a `type` of the module ("QMButton") with its initial properties, puts it at
    // (`margin`, `margin`) in the window in place of the part shown before, shows the window and
    // waits until it is active. Null, with the QML errors in the log, when it cannot be made.
    QQuickItem *create(const QString &type, const QVariantMap &properties = {});
    // The same for QML text, written as the body of a file that imports QtQuick,
    // QtQuick.Controls.Basic, QtQuick.Layouts and Quillmere.
    QQuickItem *createFromQml(const QString &qml);

    [[nodiscard]] QQuickWindow &window() { return m_window; }
    [[nodiscard]] QQmlEngine &engine() { return m_engine; }
    // The part shown now.
    [[nodiscard]] QQuickItem *item() const { return m_item.get(); }
    // `root` or the item under it with that object name, or null.
    [[nodiscard]] static QQuickItem *find(QQuickItem *root, const QString &objectName);
    // Every item of that name under `root`, `root` included, in the order of the visual tree.
    [[nodiscard]] static QList<QQuickItem *> findAll(QQuickItem *root, const QString &objectName);

    // The pointer over `item` at `at` in its own coordinates (its centre when `at` is omitted).
    void hover(QQuickItem *item, std::optional<QPointF> at = std::nullopt);
    // The pointer to the window's far corner, away from every part.
    void moveAway();
    void press(QQuickItem *item, std::optional<QPointF> at = std::nullopt, Qt::MouseButton button = Qt::LeftButton);
    void release(QQuickItem *item, std::optional<QPointF> at = std::nullopt, Qt::MouseButton button = Qt::LeftButton);
    void click(QQuickItem *item, std::optional<QPointF> at = std::nullopt, Qt::MouseButton button = Qt::LeftButton);
    // Key strokes to the item that has the keyboard focus.
    void type(const QString &text);
    // The same for any window of the program.
    static void typeInto(QWindow &window, const QString &text);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // Ends the transitions under way (colour fades, scale springs, menus fading in or out) and
    // those their ends start; the harness makes every animation end at its first tick.
    static void settle();

    // The window as drawn now.
    [[nodiscard]] QImage grab();
    // The part of the window that `item` covers, grown by `margin` on each side.
    [[nodiscard]] QImage grab(QQuickItem *item, int margin = 0);
    // The colour drawn at `at` of `item` (its own coordinates).
    [[nodiscard]] QColor pixel(QQuickItem *item, QPointF at);

    // Where things are placed in the window.
    static constexpr int margin = 24;

private:
    QQuickItem *place(QObject *object, const QString &what);
    [[nodiscard]] QPoint scenePoint(QQuickItem *item, std::optional<QPointF> at) const;

    QQmlEngine m_engine;
    QQuickWindow m_window;
    std::unique_ptr<QQuickItem> m_item;
};

// Whether two colours are the same within `tolerance` in each 0-255 channel (opaque compare).
[[nodiscard]] bool sameColour(const QColor &actual, const QColor &expected, int tolerance = 3);
// `over` drawn with its own opacity onto the opaque `under`.
[[nodiscard]] QColor blended(const QColor &over, const QColor &under);
