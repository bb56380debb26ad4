#include "app/toolsetup.h"

#include "app/settingsvalues.h"
#include "box/logboxfile.h"
#include "drivers/boxsettings.h"
#include "kelvo/kelvorecord.h"

#include <QSettings>

namespace {

const char* const kOrganisation = "Varrow";
const char* const kDepthKeys[3] = {"Depth0", "Depth1", "Depth2"};
const char* const kLetterKeys[2] = {"StreamerID", "DeviceID"};
const char* const kLogPathKey = "Path Log";
const char* const kLogBoxPathKey = "SBox Path Log";

QString storedLogPath(const QSettings& settings)
{
    return settings.value(QLatin1String(kLogPathKey), KelvoRecord().mLogPath).toString();
}

QString startNewLogBoxFile(QSettings& settings, const QDateTime& now)
{
    const QString logBoxPath = LogBoxFile::newName(storedLogPath(settings), now);
    settings.setValue(QLatin1String(kLogBoxPathKey), logBoxPath);
    return logBoxPath;
}

} // namespace

ToolSetup ToolSetup::load(const QString& store, const QDateTime& now)
{
    QSettings settings{QLatin1String(kOrganisation), store};
    ToolSetup setup = of(KelvoRecord(), BoxSettings());
    // No depth is 0 and no usable letter is NUL: a value taken as that was refused.
    for (int index = 0; index < 3; ++index) {
        const QVariant stored = settings.value(QLatin1String(kDepthKeys[index]));
        if (stored.isValid() && SettingsValues::depth(stored, 0) == 0)
            setup.noteReplaced(kDepthKeys[index], stored,
                               QString::number(setup.presetDepths[index]));
        setup.presetDepths[index] = SettingsValues::depth(stored, setup.presetDepths[index]);
    }
    for (int index = 0; index < 2; ++index) {
        const QVariant stored = settings.value(QLatin1String(kLetterKeys[index]));
        if (stored.isValid() && SettingsValues::letter(stored, '\0') == '\0')
            setup.noteReplaced(kLetterKeys[index], stored,
                               QString(QChar::fromLatin1(setup.positionLetters[index])));
        setup.positionLetters[index] = SettingsValues::letter(stored, setup.positionLetters[index]);
    }
    setup.logPath = storedLogPath(settings);
    setup.logBoxPath = settings.value(QLatin1String(kLogBoxPathKey), QString()).toString();
    if (setup.logBoxPath.isEmpty())
        setup.logBoxPath = ::startNewLogBoxFile(settings, now);
    return setup;
}

void ToolSetup::noteReplaced(const char* key, const QVariant& stored, const QString& used)
{
    replacedValues
        << tr("The setting \"%1\" held \"%2\", which cannot be used: %3 is used instead.")
               .arg(QLatin1String(key), stored.toString(), used);
}

std::optional<QString> ToolSetup::save(const QString& store, const ToolSetup& setup,
                                       QString* storeName)
{
    QSettings settings{QLatin1String(kOrganisation), store};
    for (int index = 0; index < 3; ++index) {
        settings.setValue(QLatin1String(kDepthKeys[index]), unsigned(setup.presetDepths[index]));
    }
    for (int index = 0; index < 2; ++index) {
        settings.setValue(QLatin1String(kLetterKeys[index]),
                          int(static_cast<signed char>(setup.positionLetters[index])));
    }
    settings.setValue(QLatin1String(kLogPathKey), setup.logPath);
    const QString logBoxPath = settings.value(QLatin1String(kLogBoxPathKey), QString()).toString();
    const QString newLogBoxPath = LogBoxFile::followingLog(setup.logPath, logBoxPath);
    settings.setValue(QLatin1String(kLogBoxPathKey), newLogBoxPath);
    // The store writes lazily; only a written store counts as saved.
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return newLogBoxPath;
    if (storeName != nullptr)
        *storeName = settings.fileName();
    return std::nullopt;
}

QString ToolSetup::startNewLogBoxFile(const QString& store, const QDateTime& now)
{
    QSettings settings{QLatin1String(kOrganisation), store};
    return ::startNewLogBoxFile(settings, now);
}

ToolSetup ToolSetup::of(const KelvoRecord& record, const BoxSettings& box)
{
    return {record.mPresetDepths, record.mPositionLetters, record.mLogPath, box.mLogBoxPath, {}};
}

void ToolSetup::applyTo(KelvoRecord& record, BoxSettings& box) const
{
    record.mPresetDepths = presetDepths;
    record.mPositionLetters = positionLetters;
    record.mLogPath = logPath;
    box.mLogBoxPath = logBoxPath;
}
