#ifndef BOXLOGDOWNLOAD_H
#define BOXLOGDOWNLOAD_H

#include "kelvo/flowresult.h"

#include <QCoreApplication>
#include <QString>

class BoxLogListener;
class KelvoDevice;
class LogBoxWriter;
struct KelvoRecord;

// READ DATA FROM BOX and Erase Memory. The box's log is downloaded entry by entry into the table
// and the current LogBox file. The box holds the only copy of its log, so erasing is allowed only
// after a download that saved every entry, and only while the box still holds exactly the
// entries saved.
class BoxLogDownload
{
    Q_DECLARE_TR_FUNCTIONS(BoxLogDownload)

public:
    explicit BoxLogDownload(KelvoDevice& device);

    // Shows the progress dialog once the box is found; the caller hides it after the result.
    FlowResult read(BoxLogListener& listener);
    FlowResult erase();
    // Why the box's log may not be erased now, or an empty text when it may.
    QString eraseRefusal();
    // The number of entries of the last download that saved every entry, -1 when the log shown
    // was not saved whole.
    int savedCount() const { return mSavedCount; }

private:
    FlowResult downloadBoxLog(int count, BoxLogListener& listener);
    bool appendLogBoxLine(LogBoxWriter& logBox, const KelvoRecord& entry);

    KelvoDevice& mDevice;
    int mSavedCount = -1;
};

#endif
