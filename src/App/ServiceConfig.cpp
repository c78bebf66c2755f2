#include "ServiceConfig.h"

#include "Support/WebAddress.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

namespace {

const QString builtInBaseURL = u"https://updates.quillmere.app"_s;

bool isTrimmed(QChar character)
{
    return character == u'/' || character.isSpace();
}

QString trimmedAddress(const QString &text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isTrimmed(text.at(start)))
        ++start;
    while (end > start && isTrimmed(text.at(end - 1)))
        --end;
    return text.sliced(start, end - start);
}

} // namespace

QUrl ServiceConfig::baseURL()
{
    const QString configured = trimmedAddress(qEnvironmentVariable("QUILLMERE_API"));
    const QUrl url(configured, QUrl::StrictMode);
    return isWebAddress(url) ? url : QUrl(builtInBaseURL);
}

QString ServiceConfig::appVersion()
{
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? u"1.0.0"_s : version;
}
