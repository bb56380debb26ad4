#ifndef TOOLSETUP_H
#define TOOLSETUP_H

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QtGlobal>

#include <array>
#include <optional>

struct BoxSettings;
struct KelvoRecord;

// The application name under which the crew's tool keeps its setup. A program trying the tool
// out keeps its own under another name, so that it never reads or changes the crew's setup.
inline const char* const kCrewSetupStore = "ConfKelvo";

// The tool's own setup as the per-user settings store keeps it: organisation "Varrow", under the
// application name given as store. A value the store does not hold is the one a new record
// starts with.
struct ToolSetup
{
    Q_DECLARE_TR_FUNCTIONS(ToolSetup)

public:
    std::array<quint8, 3> presetDepths{};
    std::array<char, 2> positionLetters{};
    QString logPath;
    QString logBoxPath;
    // One line for each stored value that the tool could not use, saying what was stored and what
    // is used instead: the crew's presets changed, and they are told so.
    QStringList replacedValues;

    // The stored setup. With no LogBox file stored, a new one is named next to the operations
    // log for the given time, and stored.
    static ToolSetup load(const QString& store, const QDateTime& now);
    // Stores the setup. The current LogBox file follows the operations log into its directory,
    // keeping its name; the result is its new path, as stored. None when the store could not be
    // written; storeName then names the store (its file, or its registry key on Windows).
    static std::optional<QString> save(const QString& store, const ToolSetup& setup,
                                       QString* storeName = nullptr);
    // Names a new LogBox file next to the stored operations log path for the given time, and
    // stores the name.
    static QString startNewLogBoxFile(const QString& store, const QDateTime& now);

    // The setup that the record and the box settings hold, and the other way round.
    static ToolSetup of(const KelvoRecord& record, const BoxSettings& box);
    void applyTo(KelvoRecord& record, BoxSettings& box) const;

private:
    void noteReplaced(const char* key, const QVariant& stored, const QString& used);
};

#endif
