#ifndef ADMINSETUP_H
#define ADMINSETUP_H

#include "kelvo/flowlistener.h"

#include <QCoreApplication>
#include <QString>

#include <array>

struct BoxSettings;
struct KelvoRecord;

// The Admin tab's fields as the operator left them.
struct SetupEntries
{
    std::array<QString, 3> presetDepths;
    std::array<QString, 2> positionLetters;
    QString logPath;
};

// READ SETUP and WRITE SETUP: the tool's setup between the settings store, the record and the
// Admin fields, each logged in the operations log.
class AdminSetup
{
    Q_DECLARE_TR_FUNCTIONS(AdminSetup)

public:
    // The setup is kept in the settings store under the application name store.
    AdminSetup(KelvoRecord& record, BoxSettings& box, const QString& store, FlowListener& listener);

    // The stored setup into the record; a log line that cannot be written is warned about.
    void read();
    // The entries into the record and the store, once every preset depth is valid and the log
    // path can be appended to; false, with the first invalid depth refused, a warning naming the
    // log path, or a warning when the store could not be written.
    bool write(const SetupEntries& entries);

private:
    bool checkPresetDepths(const SetupEntries& entries);
    bool checkLogPath(const QString& path);
    void takeAdminSetup(const SetupEntries& entries);
    bool saveSettings();
    void appendSetupLog(const QByteArray& action);

    KelvoRecord& mRecord;
    BoxSettings& mBox;
    const QString mStore;
    FlowListener& mListener;
};

#endif
