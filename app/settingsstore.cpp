#include "app/mainwindow.h"

#include "app/settingsvalues.h"
#include "box/logboxfile.h"
#include "drivers/kelvodevice.h"

#include <QDateTime>
#include <QSettings>

namespace {

const char* const kOrganisation = "Varrow";
const char* const kApplication = "ConfKelvo";
const char* const kDepthKeys[3] = {"Depth0", "Depth1", "Depth2"};
const char* const kLetterKeys[2] = {"StreamerID", "DeviceID"};
const int kDefaultDepths[3] = {50, 75, 100};
const int kDefaultLetters[2] = {'S', 'D'};
const char* const kLogPathKey = "Path Log";
const char* const kLogBoxPathKey = "SBox Path Log";
const char* const kDefaultLogPath = "log.txt";

} // namespace

void MainWindow::loadSettings()
{
    QSettings settings{QLatin1String(kOrganisation), QLatin1String(kApplication)};
    KelvoRecord& record = mKelvoDevice->record();
    for (int index = 0; index < 3; ++index) {
        record.mPresetDepths[index] = SettingsValues::depth(
            settings.value(QLatin1String(kDepthKeys[index]), kDefaultDepths[index]));
    }
    for (int index = 0; index < 2; ++index) {
        record.mPositionLetters[index] = SettingsValues::letter(
            settings.value(QLatin1String(kLetterKeys[index]), kDefaultLetters[index]));
    }
    record.mLogPath =
        settings.value(QLatin1String(kLogPathKey), QLatin1String(kDefaultLogPath)).toString();
    QString& logBoxPath = mKelvoDevice->boxSettings().mLogBoxPath;
    logBoxPath = settings.value(QLatin1String(kLogBoxPathKey), QString()).toString();
    if (logBoxPath.isEmpty()) {
        startNewLogBoxFile(settings);
    }
}

void MainWindow::startNewLogBoxFile(QSettings& settings)
{
    const QString logPath =
        settings.value(QLatin1String(kLogPathKey), QLatin1String(kDefaultLogPath)).toString();
    QString& logBoxPath = mKelvoDevice->boxSettings().mLogBoxPath;
    logBoxPath = LogBoxFile::newName(logPath, QDateTime::currentDateTime());
    settings.setValue(QLatin1String(kLogBoxPathKey), logBoxPath);
}

void MainWindow::startNewLogBoxFile()
{
    QSettings settings{QLatin1String(kOrganisation), QLatin1String(kApplication)};
    startNewLogBoxFile(settings);
}

void MainWindow::saveSettings()
{
    QSettings settings{QLatin1String(kOrganisation), QLatin1String(kApplication)};
    const KelvoRecord& record = mKelvoDevice->record();
    for (int index = 0; index < 3; ++index) {
        settings.setValue(QLatin1String(kDepthKeys[index]), unsigned(record.mPresetDepths[index]));
    }
    for (int index = 0; index < 2; ++index) {
        settings.setValue(QLatin1String(kLetterKeys[index]),
                          int(static_cast<signed char>(record.mPositionLetters[index])));
    }
    settings.setValue(QLatin1String(kLogPathKey), record.mLogPath);
    // The current LogBox file follows the operations log into its directory, keeping its name.
    const QString logBoxPath = settings.value(QLatin1String(kLogBoxPathKey), QString()).toString();
    QString& newLogBoxPath = mKelvoDevice->boxSettings().mLogBoxPath;
    newLogBoxPath = LogBoxFile::followingLog(record.mLogPath, logBoxPath);
    settings.setValue(QLatin1String(kLogBoxPathKey), newLogBoxPath);
}
