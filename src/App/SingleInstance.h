#pragma once

#include <QDBusConnection>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

// Keeps one running program per desktop session. The first start owns a name on the session bus;
// a later start hands its files (or just a request to be shown) to it and ends. Without a
// session bus, or when the running program does not answer, every start runs on its own.
class SingleInstance final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.zel.Quillmere.Instance")

public:
    enum class Role {
        Primary,   // this start owns the name and receives later starts' files
        Secondary, // a running program took the files; this start should end
        Alone,     // no bus, or no answer: run without receiving anything
    };

    explicit SingleInstance(QDBusConnection bus = QDBusConnection::sessionBus(),
                            QString serviceName = QStringLiteral("com.zel.Quillmere"), QObject *parent = nullptr);
    ~SingleInstance() override;

    // Claims the name, or hands `files` to whoever owns it.
    [[nodiscard]] Role start(const QList<QUrl> &files);

public Q_SLOTS:
    // Called over the bus by a later start, with the file addresses it was given (none when it
    // was only started again).
    Q_SCRIPTABLE void Open(const QStringList &uris);

Q_SIGNALS:
    // A later start asked to be shown, handing over these local files.
    void activated(const QList<QUrl> &files);

private:
    QDBusConnection m_bus;
    const QString m_serviceName;
    bool m_registered = false;
};
