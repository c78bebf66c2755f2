#include "SettingsChanges.h"

SettingsChanges &SettingsChanges::instance()
{
    static SettingsChanges changes;
    return changes;
}
