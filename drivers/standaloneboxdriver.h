#ifndef STANDALONEBOXDRIVER_H
#define STANDALONEBOXDRIVER_H

#include "drivers/cr95hfdriver.h"
#include "drivers/ftdiseriallink.h"
#include "drivers/pause.h"

#include <QByteArray>
#include <QDateTime>

#include <memory>
#include <optional>

// The Standalone Box: a CR95HF reader behind an FTDI serial link, with its own battery, clock,
// configuration and log, reached through its 0x52 command family. Every exchange starts on an
// empty receive queue and reads the whole answer, so that what is left of an earlier answer is
// never taken for the next one. The driver owns its link and closes it before opening a new one.
//
// The box commands do not check the connection: callers use them while this driver is the
// connected reader. Each returns its failure value on any bad, short or missing answer. After a
// request that got no answer at all the link is lost: every command fails at once (ReaderLost)
// until ensureOpen, reopenLink or open opens a new link. When such a reopen meets a box that does
// not answer its protocol select either, ensureOpen stops reopening, so that the retries of the
// block operations above do not cost a time-out each: only reopenLink or a new driver, as the
// reader search makes, tries the box again.
class StandaloneBoxDriver : public CR95HFDriver
{
public:
    static constexpr int baudRate = 115200;
    static constexpr int wordLength = 8;
    static constexpr int stopBits = 2;
    static constexpr int parity = 0;

    // The box is reached through library; pause waits after each block write.
    explicit StandaloneBoxDriver(D2xxLibrary& library, Pause pause = sleepingPause);
    ~StandaloneBoxDriver() override;
    StandaloneBoxDriver(const StandaloneBoxDriver&) = delete;
    StandaloneBoxDriver& operator=(const StandaloneBoxDriver&) = delete;

    QByteArray name() const override;
    bool ensureOpen() override;
    // Opens the link again unless it is usable, even after ensureOpen stopped reopening.
    bool reopenLink();
    // The last open reached a converter, but the box behind it did not answer its protocol
    // select at all.
    bool metSilentBox() const;
    bool connectDevice() override;
    bool selectProtocol() override;
    bool readSingleBlock(quint16 block, quint32& value) override;
    bool writeSingleBlock(quint16 block, quint32 value) override;

    // Percent; 0 on failure.
    quint8 readBatteryLevel();
    bool writeConfig(quint8 depth, quint16 filter);
    // depth and filter are set only on success.
    bool readConfig(quint8& depth, quint16& filter);
    // Sets the box's clock to now, in seconds since 1 January 2010 00:00:00 local time.
    bool setClock();
    bool setClock(qint32 secondsSince2010);
    // 0 on failure.
    quint32 readClock();
    // -1 on failure.
    int readLogCount();
    // The entry as hex text; empty on failure, and for an index outside 0 to 65535.
    QByteArray readLogEntry(int index);
    bool eraseLog();

    // How many times so far the line carried bytes that belonged to no request, or an answer
    // failed so that its rest, or a late answer, could still come: an answer taken after such a
    // moment may belong to another request.
    int doubtfulMoments() const { return mDoubtfulMoments; }
    // How many times so far bytes that belong to no request were found: the answer taken just
    // before them may have been another request's.
    int strayMoments() const { return mStrayMoments; }
    // Looks for such bytes without a request.
    void checkLine();

    // How long the line must stay quiet before a request is sent after a failed answer: longer
    // than the box takes to answer.
    static constexpr unsigned long quietMilliseconds = 100;

private:
    // The whole answer to request as bytes; none when no link is open, the request cannot be
    // sent, the answer does not start with answerCode or does not arrive whole.
    std::optional<QByteArray> exchange(const QByteArray& request, quint8 answerCode,
                                       unsigned long pauseAfterSend = 0);
    // After a reader request that brought no frame back: the next ensureOpen opens the link
    // again and selects the protocol.
    void reopenAtNextCheck();
    // The answer to a box command whose echo is subCommand and which holds at least size bytes.
    std::optional<QByteArray> command(const QByteArray& request, quint8 subCommand, int size);
    // Records a failed answer: the next request first waits for the line to settle.
    void answerFailed(Outcome outcome);
    // After a failed answer: waits until the line has been quiet for quietMilliseconds, dropping
    // whatever comes meanwhile.
    void settleLine();
    // Empties the receive queue before a request, settling the line first.
    void clearLine();

    D2xxLibrary& mLibrary;
    QByteArray mName;
    std::unique_ptr<FtdiSerialLink> mLink;
    Pause mPause;
    bool mConnected = false;
    // The last reopen got no answer at all to its protocol select.
    bool mSilentAtReopen = false;
    // An answer failed since the line was last cleared.
    bool mUnsettled = false;
    int mDoubtfulMoments = 0;
    int mStrayMoments = 0;
    // Bytes that belonged to no request came since the last block read: the block read before
    // them may hold another answer, so no block is written until one is read again.
    bool mWritesHeld = false;
};

#endif
