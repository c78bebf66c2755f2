#include <QGuiApplication>
#include <QImage>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/QQmlExtensionPlugin>

#include <memory>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

namespace {

QString textOf(QObject *root, const char *name)
{
    QObject *item = root->findChild<QObject *>(QString::fromLatin1(name));
    return item ? item->property("text").toString() : u"<missing>"_s;
}

bool isVisible(QObject *root, const char *name)
{
    QObject *item = root->findChild<QObject *>(QString::fromLatin1(name));
    return item && item->property("visible").toBool();
}

} // namespace

// The card shown over the window while a mandatory update is offered, rendered offscreen.
class MandatoryUpdateSheetTest final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsTheOfferAndItsDownloadButton_data()
    {
        QTest::addColumn<QVariantMap>("info");
        QTest::addColumn<bool>("notesShown");

        const QVariantMap plain{{u"version"_s, u"2.1.0"_s}, {u"url"_s, u"https://quillmere.app"_s}};
        QVariantMap withNotes = plain;
        withNotes.insert(u"notes"_s, u"This version keeps your logins working."_s);
        QVariantMap emptyNotes = plain;
        emptyNotes.insert(u"notes"_s, QString());
        QTest::newRow("with notes") << withNotes << true;
        QTest::newRow("without notes") << plain << false;
        QTest::newRow("with empty notes") << emptyNotes << false;
    }

    void showsTheOfferAndItsDownloadButton()
    {
        QFETCH(QVariantMap, info);
        QFETCH(bool, notesShown);

        QQmlEngine engine;
        engine.addImportPath(u"qrc:/qt/qml"_s);
        QQmlComponent component(&engine, QUrl(u"qrc:/qt/qml/Quillmere/Shell/MandatoryUpdateSheet.qml"_s));
        QVERIFY2(component.isReady(), qPrintable(component.errorString()));
        std::unique_ptr<QObject> object(component.createWithInitialProperties({{u"info"_s, info}}));
        auto *sheet = qobject_cast<QQuickItem *>(object.get());
        QVERIFY(sheet);

        QQuickWindow window;
        window.resize(600, 500);
        sheet->setParentItem(window.contentItem());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(sheet->width(), 440.0);
        QCOMPARE(textOf(sheet, "title"), u"Update required"_s);
        QCOMPARE(textOf(sheet, "message"), u"Quillmere 2.1.0 is required to keep using the app."_s);
        QCOMPARE(isVisible(sheet, "notes"), notesShown);
        if (notesShown)
            QCOMPARE(textOf(sheet, "notes"), info.value(u"notes"_s).toString());
        QVERIFY(isVisible(sheet, "mark"));
        QCOMPARE(textOf(sheet, "downloadButton"), u"Download the update"_s);

        const QImage frame = window.grabWindow();
        QVERIFY(!frame.isNull());
        // The card's own background, inside its border.
        const QColor card = frame.pixelColor(QPoint(8, int(sheet->height()) - 8) * window.devicePixelRatio());
        QVERIFY2(qAbs(card.redF() - 0.07) < 0.02 && qAbs(card.blueF() - 0.12) < 0.02, qPrintable(card.name()));

        // The button is the only way on.
        QSignalSpy downloads(sheet, SIGNAL(download()));
        auto *button = sheet->findChild<QQuickItem *>(u"downloadButton"_s);
        QVERIFY(button);
        const QPointF centre = button->mapToScene(QPointF(button->width() / 2, button->height() / 2));
        QTest::mouseClick(&window, Qt::LeftButton, {}, centre.toPoint());
        QTRY_COMPARE(downloads.size(), 1);
    }
};

QTEST_MAIN(MandatoryUpdateSheetTest)
#include "tst_mandatoryupdatesheet.moc"
