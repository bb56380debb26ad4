#include "app/adminsetup.h"

#include "app/operationlogline.h"
#include "app/toolsetup.h"
#include "drivers/boxsettings.h"
#include "kelvo/entryrules.h"
#include "kelvo/kelvorecord.h"

#include <QDateTime>

AdminSetup::AdminSetup(KelvoRecord& record, BoxSettings& box, const QString& store,
                       FlowListener& listener)
    : mRecord(record), mBox(box), mStore(store), mListener(listener)
{
}

void AdminSetup::read()
{
    ToolSetup::load(mStore, QDateTime::currentDateTime()).applyTo(mRecord, mBox);
    appendSetupLog("READ SETUP");
}

bool AdminSetup::write(const SetupEntries& entries)
{
    if (!checkPresetDepths(entries) || !checkLogPath(entries.logPath))
        return false;
    mListener.progress(40);
    takeAdminSetup(entries);
    mListener.progress(60);
    if (!saveSettings())
        return false;
    appendSetupLog("WRITE SETUP");
    return true;
}

bool AdminSetup::checkPresetDepths(const SetupEntries& entries)
{
    for (int index = 0; index < 3; ++index) {
        if (EntryRules::isValidActivationDepth(entries.presetDepths[index]))
            continue;
        const QString message =
            index < 2 ? tr("the depth of activation is a positive number between ")
                      : tr("The activation depth of activation should be a positive number "
                           "between ");
        mListener.warning(tr("Admin"), message + EntryRules::kActivationDepth.bounds());
        mListener.restoreField(FlowListener::Field(int(FlowListener::Field::PresetDepth1) + index),
                               QString::number(mRecord.mPresetDepths[index]), true);
        return false;
    }
    return true;
}

// A log path that cannot be opened for appending would leave every later operation unrecorded.
bool AdminSetup::checkLogPath(const QString& path)
{
    QString reason;
    if (OperationLogLine::canAppend(path, &reason))
        return true;
    mListener.warning(
        tr("Admin"),
        tr("The operations log %1 cannot be opened for appending: %2").arg(path, reason));
    return false;
}

void AdminSetup::takeAdminSetup(const SetupEntries& entries)
{
    for (int index = 0; index < 3; ++index)
        mRecord.mPresetDepths[index] = EntryRules::entryByte(entries.presetDepths[index]);
    // An empty letter field keeps the letter already held, rather than storing code 0.
    for (int index = 0; index < 2; ++index) {
        const QString& letter = entries.positionLetters[index];
        if (!letter.isEmpty())
            mRecord.mPositionLetters[index] = letter.at(0).toLatin1();
    }
    mRecord.mLogPath = entries.logPath;
}

// The entries taken stay in the record for this session even when the store refuses them: the
// operator is told that they will not outlive it.
bool AdminSetup::saveSettings()
{
    QString store;
    const std::optional<QString> logBoxPath =
        ToolSetup::save(mStore, ToolSetup::of(mRecord, mBox), &store);
    if (!logBoxPath) {
        mListener.warning(tr("Admin"), tr("The setup could not be saved in %1: it applies only "
                                          "until the tool is closed.")
                                           .arg(store));
        return false;
    }
    mBox.mLogBoxPath = *logBoxPath;
    return true;
}

void AdminSetup::appendSetupLog(const QByteArray& action)
{
    const QByteArray line = OperationLogLine::setup(mRecord, action, QDateTime::currentDateTime());
    QString reason;
    if (!OperationLogLine::append(mRecord.mLogPath, line, &reason))
        mListener.warning(tr("Admin"), tr("Log file entry failed") + QLatin1Char('\n') +
                                           tr("%1: %2").arg(mRecord.mLogPath, reason));
}
