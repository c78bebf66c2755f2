#include "ServiceConfig.h"

#include "Support/Trimmed.h"
#include "Support/WebAddress.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

const QString builtInBaseURL = u"https://updates.quillmere.app"_s;

bool isTrimmed(QChar character)
{
    return character == u'/' || character.isSpace();
}

} // namespace

QUrl ServiceConfig::baseURL()
{
    const QString configured = trimmedWhere(qEnvironmentVariable("QUILLMERE_API"), isTrimmed);
    const QUrl url(configured, QUrl::StrictMode);
    return isWebAddress(url) ? url : QUrl(builtInBaseURL);
}

QString ServiceConfig::appVersion()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? u"1.0.0"_s : version;
}
