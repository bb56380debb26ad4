#include "app/settingsvalues.h"

namespace SettingsValues {

quint8 depth(const QVariant& stored)
{
    return static_cast<quint8>(stored.toInt());
}

char letter(const QVariant& stored)
{
    const int code = stored.toInt();
    return code >= -128 && code <= 255 ? static_cast<char>(code) : '\0';
}

} // namespace SettingsValues
