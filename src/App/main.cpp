#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(QuillmerePlugin)

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(u"Quillmere"_s);
    QGuiApplication::setOrganizationName(u"Quillmere"_s);
    QGuiApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));

    QQmlApplicationEngine engine;
    QObject::connect(&engine, &QQmlApplicationEngine::objectCreationFailed, &app,
                     [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
    engine.load(QUrl(u"qrc:/qt/qml/Quillmere/Shell/Main.qml"_s));
    return QGuiApplication::exec();
}
