#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

// One user setting bound both ways for a control: `SettingValue { id: clock; key:
// "quillmere.use24HourClock" }`, then `checked: clock.value` and `clock.value = checked`. It
// reads and writes through the settings table, so a value of the wrong type reads as the
// default, and it follows writes made anywhere else in the program.
class SettingValue : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString key READ key WRITE setKey NOTIFY keyChanged REQUIRED)
    Q_PROPERTY(QVariant value READ value WRITE setValue NOTIFY valueChanged)
    // The menu's choices, each {value, label}, in menu order; empty for a switch.
    Q_PROPERTY(QVariantList options READ options NOTIFY keyChanged)
    QML_ELEMENT

public:
    explicit SettingValue(QObject *parent = nullptr);

    [[nodiscard]] const QString &key() const { return m_key; }
    void setKey(const QString &key);
    [[nodiscard]] const QVariant &value() const { return m_value; }
    // A value the setting cannot hold is refused and changes nothing.
    void setValue(const QVariant &value);
    [[nodiscard]] QVariantList options() const;

Q_SIGNALS:
    void keyChanged();
    void valueChanged();

private:
    void reread();

    QString m_key;
    QVariant m_value;
};
