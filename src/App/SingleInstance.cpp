#include "SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

using namespace Qt::StringLiterals;

namespace {

const QString objectPath = u"/com/zel/Quillmere"_s;
const QString interfaceName = u"com.zel.Quillmere.Instance"_s;
// The running program answers at once; a start that waits longer runs on its own instead.
constexpr int handOffTimeoutMs = 5000;

} // namespace

SingleInstance::SingleInstance(QDBusConnection bus, QString serviceName, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_serviceName(std::move(serviceName))
{
}

SingleInstance::~SingleInstance()
{
    if (!m_registered)
        return;
    m_bus.unregisterService(m_serviceName);
    m_bus.unregisterObject(objectPath);
}

SingleInstance::Role SingleInstance::start(const QList<QUrl> &files)
{
    if (!m_bus.isConnected())
        return Role::Alone;
    // The object comes first, so that a later start finds it as soon as the name is ours.
    if (!m_bus.registerObject(objectPath, this, QDBusConnection::ExportScriptableSlots))
        return Role::Alone;
    if (m_bus.registerService(m_serviceName)) {
        m_registered = true;
        return Role::Primary;
    }
    m_bus.unregisterObject(objectPath);

    QStringList uris;
    for (const QUrl &file : files)
        uris.append(file.toString(QUrl::FullyEncoded));
    QDBusMessage call = QDBusMessage::createMethodCall(m_serviceName, objectPath, interfaceName, u"Open"_s);
    call << uris;
    // The event loop turns while it waits, so that the call cannot dead-lock on an owner of
    // the name in this same process.
    const QDBusMessage reply = m_bus.call(call, QDBus::BlockWithGui, handOffTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage ? Role::Secondary : Role::Alone;
}

void SingleInstance::Open(const QStringList &uris)
{
    QList<QUrl> files;
    for (const QString &uri : uris) {
        const QUrl address(uri, QUrl::StrictMode);
        if (address.isLocalFile())
            files.append(address);
    }
    Q_EMIT activated(files);
}
