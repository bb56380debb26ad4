// The operations log lines built from a record holding arbitrary bytes, at an arbitrary time:
// whatever the record holds, each line keeps its fields apart and ends where it should.

#include "app/operationlogline.h"
#include "kelvo/kelvorecord.h"
#include "tests/fuzz/fuzzinput.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

template <typename Number> Number rawNumber(FuzzInput& input)
{
    const QByteArray bytes = input.bytes(sizeof(Number)).leftJustified(sizeof(Number), '\0');
    Number number;
    std::memcpy(&number, bytes.constData(), sizeof number);
    return number;
}

template <typename Characters> void fill(FuzzInput& input, Characters& characters)
{
    for (char& character : characters)
        character = static_cast<char>(input.byte());
}

KelvoRecord arbitraryRecord(FuzzInput& input)
{
    KelvoRecord record;
    record.mActivationDepth = input.byte();
    record.mAdvancedActivationDepth = input.byte();
    for (quint8& depth : record.mPresetDepths)
        depth = input.byte();
    record.mBatteryLevel = input.word();
    record.mSupercapLevel = input.word();
    record.mBatteryThreshold = input.word();
    record.mFirmwareVersion = rawNumber<float>(input);
    record.mActivationMeasuredDepth = rawNumber<double>(input);
    record.mMaxMeasuredDepth = rawNumber<double>(input);
    record.mFilter = input.word();
    record.mStreamer = input.byte();
    record.mDevice = input.byte();
    fill(input, record.mPositionLetters);
    fill(input, record.mSerialNumber);
    fill(input, record.mKelvoSerialNumber);
    record.mErrorFlags = input.byte();
    for (FieldSource& source : record.mSources)
        source = FieldSource(input.byte() % 3);
    return record;
}

// One line: the fields apart, no line break, no NUL, CR LF at the end and nowhere else.
void checkLine(const QByteArray& line, int fields, const QByteArray& action)
{
    fuzzExpect(line.endsWith("\r\n"), "a line ends in CR LF");
    const QByteArray body = line.left(line.size() - 2);
    fuzzExpect(!body.contains('\r') && !body.contains('\n') && !body.contains('\0'),
               "a line holds no line break and no NUL");
    const QList<QByteArray> parts = body.split(',');
    fuzzExpect(parts.size() == fields, "a line keeps its fields apart");
    fuzzExpect(parts.value(2) == action, "the action is the third field");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const QByteArray tagActions[] = {"READ", "WRITE"};
    static const QByteArray setupActions[] = {"READ SETUP", "WRITE SETUP"};
    FuzzInput input(data, size);
    const quint8 choice = input.byte();
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(qint64(input.value64()), Qt::UTC);
    const KelvoRecord record = arbitraryRecord(input);
    const QByteArray& tagAction = tagActions[choice & 1];
    checkLine(OperationLogLine::tagOperation(record, tagAction, when), 15, tagAction);
    const QByteArray& setupAction = setupActions[(choice >> 1) & 1];
    checkLine(OperationLogLine::setup(record, setupAction, when), 8, setupAction);
    return 0;
}
