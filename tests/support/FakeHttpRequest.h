#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <utility>

// One request as the fake server read it. The query is decoded the way provider panels decode
// it (form encoding: "+" is a space), so a client that leaves a "+" unescaped is caught.
struct FakeHttpRequest
{
    QByteArray method;
    QString path; // percent-decoded
    QByteArray rawPath;
    QByteArray rawQuery; // as sent, without the "?"
    QList<std::pair<QString, QString>> query;
    QHash<QByteArray, QByteArray> headers; // lower-case names

    [[nodiscard]] QString queryValue(const QString &name) const;
    [[nodiscard]] bool hasQueryItem(const QString &name) const;
};
