#include "app/mainwindow.h"

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

// Letters are stored as the signed value of their byte, so codes -128 to 255 name a byte; any
// other value (or a text that is not a number) gives the character with code 0.
char letterFromCode(int code)
{
    return code >= -128 && code <= 255 ? static_cast<char>(code) : '\0';
}

} // namespace

void MainWindow::loadSettings()
{
    QSettings settings{QLatin1String(kOrganisation), QLatin1String(kApplication)};
    KelvoRecord& record = mKelvoDevice->record();
    for (int index = 0; index < 3; ++index) {
        record.mPresetDepths[index] = static_cast<quint8>(
            settings.value(QLatin1String(kDepthKeys[index]), kDefaultDepths[index]).toInt());
    }
    for (int index = 0; index < 2; ++index) {
        record.mPositionLetters[index] = letterFromCode(
            settings.value(QLatin1String(kLetterKeys[index]), kDefaultLetters[index]).toInt());
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
