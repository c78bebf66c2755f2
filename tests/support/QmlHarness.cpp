#include "QmlHarness.h"

#include "InstantAnimations.h"

#include <QQmlComponent>
#include <QQuickItem>
#include <QRegularExpression>
#include <QTest>
#include <QtMath>

using namespace Qt::StringLiterals;

QmlHarness::QmlHarness(QSize windowSize, QColor background)
{
    // A QML warning means a binding failed or a part was misused: the test must not pass over it.
    QTest::failOnWarning(QRegularExpression(u"^(qrc|file):.*\\.qml:\\d+"_s));
    QTest::failOnWarning(QRegularExpression(u"unknown symbol"_s));
    // Where the module's QML files lie; Qt 6.5 looks there by itself, 6.4 must be told.
    m_engine.addImportPath(u"qrc:/qt/qml"_s);
    InstantAnimations::install();
    m_window.resize(windowSize);
    m_window.setColor(background);
}

QmlHarness::~QmlHarness()
{
    // The part goes before the window that shows it.
    m_item.reset();
}

QQuickItem *QmlHarness::create(const QString &type, const QVariantMap &properties)
{
    QQmlComponent component(&m_engine);
    component.setData(u"import Quillmere\n"_s.toUtf8() + type.toUtf8() + " {}\n", QUrl(u"qrc:/harness/HarnessPart.qml"_s));
    if (!component.isReady()) {
        qCritical().noquote() << component.errorString();
        return nullptr;
    }
    return place(component.createWithInitialProperties(properties), type);
}

QQuickItem *QmlHarness::createFromQml(const QString &qml)
{
    QQmlComponent component(&m_engine);
    const QString source = u"import QtQuick\nimport QtQuick.Controls.Basic\nimport QtQuick.Layouts\nimport Quillmere\n"_s + qml;
    component.setData(source.toUtf8(), QUrl(u"qrc:/harness/HarnessSnippet.qml"_s));
    if (!component.isReady()) {
        qCritical().noquote() << component.errorString();
        return nullptr;
    }
    return place(component.create(), u"snippet"_s);
}

QQuickItem *QmlHarness::place(QObject *object, const QString &what)
{
    auto *item = qobject_cast<QQuickItem *>(object);
    if (!item) {
        qCritical().noquote() << what << "is not a visual item";
        delete object;
        return nullptr;
    }
    m_item.reset(item);
    item->setParentItem(m_window.contentItem());
    item->setPosition(QPointF(margin, margin));
    if (!m_window.isVisible()) {
        m_window.show();
        m_window.requestActivate();
        if (!QTest::qWaitForWindowExposed(&m_window) || !QTest::qWaitForWindowActive(&m_window))
            qCritical() << "the harness window did not show";
    }
    return item;
}

QQuickItem *QmlHarness::find(QQuickItem *root, const QString &objectName)
{
    // Through the visual tree: the items a Repeater makes are not children of its QObject tree.
    if (!root)
        return nullptr;
    if (root->objectName() == objectName)
        return root;
    for (QQuickItem *child : root->childItems()) {
        if (QQuickItem *found = find(child, objectName))
            return found;
    }
    return nullptr;
}

QList<QQuickItem *> QmlHarness::findAll(QQuickItem *root, const QString &objectName)
{
    QList<QQuickItem *> found;
    if (!root)
        return found;
    if (root->objectName() == objectName)
        found.append(root);
    for (QQuickItem *child : root->childItems())
        found.append(findAll(child, objectName));
    return found;
}

QPoint QmlHarness::scenePoint(QQuickItem *item, std::optional<QPointF> at) const
{
    // A drawn frame first: layouts, lists and popups settle into the places a user sees before
    // the pointer goes there (a busy machine may not have drawn them yet).
    (void)const_cast<QQuickWindow &>(m_window).grabWindow();
    const QPointF local = at.value_or(QPointF(item->width() / 2, item->height() / 2));
    return item->mapToScene(local).toPoint();
}

void QmlHarness::hover(QQuickItem *item, std::optional<QPointF> at)
{
    QTest::mouseMove(&m_window, scenePoint(item, at));
}

void QmlHarness::moveAway()
{
    QTest::mouseMove(&m_window, QPoint(m_window.width() - 2, m_window.height() - 2));
}

void QmlHarness::press(QQuickItem *item, std::optional<QPointF> at, Qt::MouseButton button)
{
    const QPoint point = scenePoint(item, at);
    QTest::mouseMove(&m_window, point);
    QTest::mousePress(&m_window, button, Qt::NoModifier, point);
}

void QmlHarness::release(QQuickItem *item, std::optional<QPointF> at, Qt::MouseButton button)
{
    QTest::mouseRelease(&m_window, button, Qt::NoModifier, scenePoint(item, at));
}

void QmlHarness::click(QQuickItem *item, std::optional<QPointF> at, Qt::MouseButton button)
{
    press(item, at, button);
    release(item, at, button);
}


void QmlHarness::type(const QString &text)
{
    typeInto(m_window, text);
}

void QmlHarness::typeInto(QWindow &window, const QString &text)
{
    // One key stroke per character, carrying the character itself, so that any text can be typed.
    for (const QChar character : text) {
        const auto code = Qt::Key(character.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, &window, code, QString(character), Qt::NoModifier);
    }
}

void QmlHarness::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(&m_window, key, modifiers);
}

void QmlHarness::settle()
{
    InstantAnimations::finish();
}

QImage QmlHarness::grab()
{
    return m_window.grabWindow();
}

QImage QmlHarness::grab(QQuickItem *item, int margin)
{
    const QRectF area = item->mapRectToScene(QRectF(0, 0, item->width(), item->height()))
                            .adjusted(-margin, -margin, margin, margin);
    const qreal ratio = m_window.devicePixelRatio();
    const QRect pixels(QPoint(qFloor(area.left() * ratio), qFloor(area.top() * ratio)),
                       QPoint(qCeil(area.right() * ratio) - 1, qCeil(area.bottom() * ratio) - 1));
    return grab().copy(pixels);
}

QColor QmlHarness::pixel(QQuickItem *item, QPointF at)
{
    const QImage frame = grab();
    return frame.pixelColor((item->mapToScene(at) * m_window.devicePixelRatio()).toPoint());
}

bool sameColour(const QColor &actual, const QColor &expected, int tolerance)
{
    return qAbs(actual.red() - expected.red()) <= tolerance && qAbs(actual.green() - expected.green()) <= tolerance
        && qAbs(actual.blue() - expected.blue()) <= tolerance;
}

QColor blended(const QColor &over, const QColor &under)
{
    const qreal alpha = over.alphaF();
    const auto mix = [alpha](qreal top, qreal bottom) { return top * alpha + bottom * (1 - alpha); };
    return QColor::fromRgbF(float(mix(over.redF(), under.redF())), float(mix(over.greenF(), under.greenF())),
                            float(mix(over.blueF(), under.blueF())));
}
