#ifndef EMULATEDCR95HFBOARD_H
#define EMULATEDCR95HFBOARD_H

#include "emulation/emulatedkelvotag.h"
#include "platform/cr95hflibrary.h"

#include <QByteArray>

#include <map>
#include <optional>
#include <set>

// An in-process CR95HF board with a Kelvo tag in its field, answering the reader library's calls
// as the real board does; it is passed where the library is. It can be told to lose its
// USB connection, to have no tag in its field, and to spoil chosen exchanges; it counts the
// calls of each kind.
class EmulatedCr95hfBoard : public Cr95hfLibrary
{
public:
    enum class Call
    {
        Connect,
        HandleCheck,
        Select,
        Read,
        Write
    };

    enum class Fault
    {
        // The library call fails; nothing reaches the tag.
        FailedCall,
        // The tag answers with its error flag set and does not carry out the command.
        TagError,
        // The tag carries out the command; the answer stops after its length byte.
        ShortAnswer,
        // The tag carries out the command; the answer is garbled into non-hex characters.
        NonHexAnswer,
        // The tag carries out the command; the answer is sound but fills the whole buffer with
        // hex digits and has no terminator.
        UnterminatedAnswer,
        // The tag carries out the command; every byte of the answer after the reader's result
        // code reads 0xFF.
        FfFilledAnswer,
        // The board is unplugged just before the exchange, which fails like every call after it
        // until the board is plugged back in.
        Unplugged,
    };

    EmulatedKelvoTag& tag() { return mTag; }
    const EmulatedKelvoTag& tag() const { return mTag; }

    // An unplugged board fails every call. Plugging it back in needs a new connect.
    void setPlugged(bool plugged);
    // The board is unplugged once this many more library calls have been made.
    void unplugAfterCalls(int calls);
    void setTagInField(bool inField) { mTagInField = inField; }

    // Spoils count exchanges (send-receive calls), starting with the exchange-th from now:
    // 1 is the next one.
    void injectFault(int exchange, Fault fault, int count = 1);
    // Makes count protocol-select calls fail, starting with the select-th from now. The reader
    // library's select answer is not examined, so a failed call is the one fault it can show.
    void failSelects(int select, int count = 1);
    // Forgets every fault still waiting, and any pending unplug.
    void clearFaults();

    int calls(Call call) const;
    int exchanges() const { return mExchanges; }
    // The last send-receive request, as the library received it.
    QByteArray lastRequest() const { return mLastRequest; }

    int usbConnect() override;
    int usbHandleCheck() override;
    int select(char* request, char* answer) override;
    int sendReceive(char* request, char* answer) override;

private:
    void countCall(Call call);
    void countLibraryCall();
    std::optional<Fault> faultOfExchange(int exchange) const;
    QByteArray carryOut(const QByteArray& command, std::optional<Fault> fault);

    EmulatedKelvoTag mTag;
    bool mPlugged = true;
    bool mConnected = false;
    bool mProtocolSelected = false;
    bool mTagInField = true;
    int mCallsBeforeUnplug = -1;
    int mExchanges = 0;
    std::map<int, Fault> mFaults;
    std::set<int> mFailedSelects;
    std::map<Call, int> mCalls;
    QByteArray mLastRequest;
};

#endif
