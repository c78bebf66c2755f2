#include <QGuiApplication>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

class MainWindowTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void mainWindowLoadsAndRenders()
    {
        QQmlApplicationEngine engine;
        engine.load(QUrl(u"qrc:/qt/qml/Quillmere/Shell/Main.qml"_s));
        QCOMPARE(engine.rootObjects().size(), 1);
        auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
        QVERIFY(window);
        QCOMPARE(window->objectName(), u"main"_s);
        QCOMPARE(window->minimumSize(), QSize(1040, 660));
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QImage frame = window->grabWindow();
        QVERIFY(!frame.isNull());
        QCOMPARE(frame.size(), QSize(1440, 900) * window->devicePixelRatio());
        const QColor background = frame.pixelColor(frame.width() / 2, frame.height() / 2);
        QVERIFY(qAbs(background.redF() - 0.02) < 0.01);
        QVERIFY(qAbs(background.blueF() - 0.06) < 0.01);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
