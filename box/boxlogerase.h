#ifndef BOXLOGERASE_H
#define BOXLOGERASE_H

#include "kelvo/flowresult.h"

#include <QCoreApplication>
#include <QString>

#include <optional>

class FlowListener;
class KelvoDevice;

// A download that saved every entry of the box's log: the LogBox file and the number of entries.
struct SavedBoxLog
{
    QString path;
    int count = 0;
};

// Erase Memory once the operator agreed. The box holds the only copy of its log, so before the
// erase command its whole log is read again and compared, entry by entry, with the LogBox file
// read back from the disk: a shifted or flipped answer in either read, another box, or a file
// deleted, moved, truncated or edited since the download stops the erase. An erase whose answer
// cannot be read is judged by the number of entries the box then holds.
class BoxLogErase
{
    Q_DECLARE_TR_FUNCTIONS(BoxLogErase)

public:
    BoxLogErase(KelvoDevice& device, const SavedBoxLog& saved);

    // Shows the progress of the check; the caller hides it after the result.
    FlowResult run(FlowListener& listener);

    // The refusal to erase, with the reason under the failure text.
    static FlowResult refusal(Outcome outcome, const QString& reason);
    // Opens the box's link again when an earlier request got no answer and reads the number of
    // entries: the refusal, or none when the box holds as many as were saved.
    std::optional<FlowResult> countRefusal();

private:
    FlowResult eraseCommand();

    KelvoDevice& mDevice;
    SavedBoxLog mSaved;
};

#endif
