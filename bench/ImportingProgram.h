#pragma once

#include "BenchProcess.h"

#include "Catalogue/CatalogueDatabase.h"
#include "Catalogue/CatalogueSchema.h"
#include "Catalogue/CredentialStore.h"
#include "Catalogue/SecretServiceKeyring.h"
#include "support/AwaitBlocking.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

#include <chrono>
#include <optional>
#include <thread>
#include <utility>

// The program itself importing a catalogue, as on the first start after a playlist was added:
// a data directory holding one queued playlist whose login is in the session's keyring, and the
// program started on it offscreen, importing it at once. Its memory is read from the kernel
// until the catalogue is in and the program has settled on it. Needs a Secret Service on the
// session bus (run the benchmark through tests/support/with-keyring.sh); the program then
// answers on that bus alone.
class ImportingProgram final
{
public:
    struct Figures
    {
        double seconds = 0;    // from the start of the program to the catalogue in the file
        double peakMiB = 0;    // the program's peak resident memory, up to settled
        double settledMiB = 0; // its resident memory once settled on the new catalogue
    };

    [[nodiscard]] static bool isAvailable() { return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS"); }

    // Empty when the program could not be started or did not finish the import in time.
    [[nodiscard]] static std::optional<Figures> import(const XtreamCredentials &login)
    {
        using namespace Qt::StringLiterals;
        const QTemporaryDir data;
        const QTemporaryDir home;
        const QString path = QDir(data.path()).filePath(u"quillmere_catalogue.sqlite"_s);
        CatalogueSchema::prepare(path);
        SecretServiceKeyring keyring;
        CredentialStore credentials(keyring);
        const QString reference = awaitBlocking(credentials.save(login.serverURL, login.username, login.password));
        CatalogueDatabase database(path);
        database.execute(u"INSERT INTO playlists (name, server_url, credential_ref) VALUES ('Bench', ?, ?)"_s,
                         {login.serverURL.toString(), reference});

        QProcess program;
        QProcessEnvironment environment = programEnvironment(data.path(), home.path());
        environment.insert(u"QT_LOGGING_RULES"_s, u"com.zel.quillmere.macos.*.info=false"_s);
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        program.start(QStringLiteral(QUILLMERE_PATH));
        if (!program.waitForStarted())
            return std::nullopt;
        const QString process = QString::number(program.processId());

        Figures figures;
        QString state;
        const auto finished = [&] {
            state = database.texts(u"SELECT sync_state FROM playlists"_s).value(0);
            return state == u"ready"_s || state == u"error"_s || program.state() == QProcess::NotRunning;
        };
        runEventsUntil(finished, std::chrono::minutes(5));
        figures.seconds = double(timer.elapsed()) / 1000.0;
        // Settled: under a twentieth of a processor used over a whole second.
        qint64 ticks = processorTicks(process);
        const auto settled = [&] {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const qint64 before = std::exchange(ticks, processorTicks(process));
            return ticks - before < sysconf(_SC_CLK_TCK) / 20;
        };
        const bool calm = state == u"ready"_s && runEventsUntil(settled, std::chrono::minutes(1));
        figures.peakMiB = processMemoryMiB("VmHWM", process);
        figures.settledMiB = processMemoryMiB("VmRSS", process);
        program.kill();
        program.waitForFinished();
        awaitBlocking(credentials.remove(reference));
        return calm ? std::optional(figures) : std::nullopt;
    }

private:
    // The processor time the process has used so far, user and system, in clock ticks.
    static qint64 processorTicks(const QString &process)
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(process));
        if (!stat.open(QIODevice::ReadOnly))
            return 0;
        const QByteArray line = stat.readAll();
        // The fields after the name in parentheses; user and system time are the 12th and 13th.
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        return fields.value(11).toLongLong() + fields.value(12).toLongLong();
    }
};
