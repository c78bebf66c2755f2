#include "SettingValue.h"

#include "SettingKeys.h"

#include "Support/SettingsChanges.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

SettingValue::SettingValue(QObject *parent)
    : QObject(parent)
{
    connect(&SettingsChanges::instance(), &SettingsChanges::changed, this, [this](const QString &key) {
        if (key == m_key)
            reread();
    });
}

void SettingValue::setKey(const QString &key)
{
    if (key == m_key)
        return;
    if (!SettingKeys::find(key))
        qWarning() << "SettingValue: no setting" << key;
    m_key = key;
    Q_EMIT keyChanged();
    reread();
}

void SettingValue::setValue(const QVariant &value)
{
    // The change notice re-reads what was stored.
    SettingKeys::write(m_key, value);
}

QVariantList SettingValue::options() const
{
    QVariantList list;
    if (const SettingKeys::Setting *setting = SettingKeys::find(m_key)) {
        for (const SettingKeys::Option &option : setting->options)
            list.append(QVariantMap{{u"value"_s, option.value}, {u"label"_s, option.label}});
    }
    return list;
}

void SettingValue::reread()
{
    const QVariant stored = SettingKeys::read(m_key);
    if (stored.typeId() == m_value.typeId() && stored == m_value)
        return;
    m_value = stored;
    Q_EMIT valueChanged();
}
