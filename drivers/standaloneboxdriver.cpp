#include "drivers/standaloneboxdriver.h"

#include "drivers/boxprotocol.h"
#include "drivers/hexframe.h"

#include <QDebug>

#include <algorithm>

#include <iostream>

namespace {

constexpr unsigned long pauseAfterBlockWrite = 1;
constexpr int maxLogIndex = 0xFFFF;
// A box that keeps sending is waited for no longer than about one read time-out.
constexpr unsigned long mostSettlingRounds =
    FtdiSerialLink::timeoutMilliseconds / StandaloneBoxDriver::quietMilliseconds;

// How a tag's answer carried in a 0x80 frame ended: it must hold at least size bytes and the
// tag must not report an error.
Outcome tagAnswerOutcome(const QByteArray& answer, int size)
{
    if (answer.size() < std::max(size, 3))
        return Outcome::BadAnswer;
    return isTagAnswerWithoutError(answer) ? Outcome::Done : Outcome::DeviceError;
}

} // namespace

StandaloneBoxDriver::StandaloneBoxDriver(D2xxLibrary& library, Pause pause)
    : mLibrary(library), mName("StandaloneBox"), mPause(std::move(pause))
{
}

StandaloneBoxDriver::~StandaloneBoxDriver() = default;

QByteArray StandaloneBoxDriver::name() const
{
    return mName;
}

bool StandaloneBoxDriver::ensureOpen()
{
    if (mSilentAtReopen && !(mConnected && mLink && mLink->isAlive()))
        return finish(Outcome::ReaderLost);
    return reopenLink();
}

bool StandaloneBoxDriver::reopenLink()
{
    if (mConnected && mLink && mLink->isAlive())
        return finish(Outcome::Done);
    bool opened = open();
    // A box that answered its protocol select with something else, such as an answer that came
    // after its time-out, is asked once more, once the line has settled.
    if (!opened && mConnected && mLink && mLink->isAlive())
        opened = selectProtocol();
    // A link that connected but is lost after the protocol select met a silent box; one that
    // could not connect met no converter, which costs no time-out to try again.
    mSilentAtReopen = !opened && metSilentBox();
    return opened || finish(Outcome::ReaderLost);
}

bool StandaloneBoxDriver::metSilentBox() const
{
    return mConnected && mLink && !mLink->isAlive();
}

// The device opens exclusively, so the old link is closed before a new one is opened.
bool StandaloneBoxDriver::connectDevice()
{
    mLink.reset();
    mConnected = false;
    try {
        mLink = std::make_unique<FtdiSerialLink>(mLibrary, baudRate, wordLength, stopBits, parity);
    } catch (const QByteArray&) {
        return finish(Outcome::NoReader);
    }
    mLink->purge();
    mConnected = true;
    return finish(Outcome::Done);
}

bool StandaloneBoxDriver::selectProtocol()
{
    if (!mConnected)
        return finish(Outcome::NoReader);
    settleLine();
    const QByteArray drained = mLink->readAvailable();
    mLink->send(boxProtocolSelectRequest());
    const QByteArray answer = mLink->readExact(2);
    const QByteArray rest = mLink->readAvailable();
    std::cout << drained.constData() << answer.constData() << rest.constData() << std::flush;
    if (answer != "0000")
        answerFailed(Outcome::NoReader);
    return finish(answer == "0000" ? Outcome::Done : Outcome::NoReader);
}

bool StandaloneBoxDriver::readSingleBlock(quint16 block, quint32& value)
{
    const std::optional<QByteArray> answer =
        exchange(boxReadBlockRequest(block), BoxCode::frameReceived);
    if (!answer) {
        reopenAtNextCheck();
        return false;
    }
    if (!finish(tagAnswerOutcome(*answer, 7)))
        return false;
    value = bigEndianField(*answer, 3, 4);
    mWritesHeld = false;
    return true;
}

bool StandaloneBoxDriver::writeSingleBlock(quint16 block, quint32 value)
{
    checkLine();
    if (mWritesHeld)
        return finish(Outcome::BadAnswer);
    const std::optional<QByteArray> answer =
        exchange(boxWriteBlockRequest(block, value), BoxCode::frameReceived, pauseAfterBlockWrite);
    if (!answer) {
        reopenAtNextCheck();
        return false;
    }
    return finish(tagAnswerOutcome(*answer, 3));
}

// A box that restarts behind its converter forgets its protocol selection while the converter's
// handle stays alive, so the link check cannot tell. A reader request that brings no frame back
// therefore makes the next ensureOpen open the link again and select the protocol.
void StandaloneBoxDriver::reopenAtNextCheck()
{
    mConnected = false;
}

quint8 StandaloneBoxDriver::readBatteryLevel()
{
    const std::optional<QByteArray> answer =
        command(batteryLevelRequest(), BoxCode::batteryLevel, 6);
    return answer ? static_cast<quint8>(answer->at(5)) : 0;
}

bool StandaloneBoxDriver::writeConfig(quint8 depth, quint16 filter)
{
    return command(writeConfigRequest(depth, filter), BoxCode::writeConfig, 3).has_value();
}

bool StandaloneBoxDriver::readConfig(quint8& depth, quint16& filter)
{
    const std::optional<QByteArray> answer = command(readConfigRequest(), BoxCode::readConfig, 6);
    if (!answer)
        return false;
    depth = static_cast<quint8>(answer->at(3));
    filter = static_cast<quint16>(bigEndianField(*answer, 4, 2));
    return true;
}

bool StandaloneBoxDriver::setClock()
{
    return setClock(secondsSince2010(QDateTime::currentDateTime()));
}

bool StandaloneBoxDriver::setClock(qint32 seconds)
{
    return command(setClockRequest(seconds), BoxCode::setClock, 3).has_value();
}

quint32 StandaloneBoxDriver::readClock()
{
    const std::optional<QByteArray> answer = command(readClockRequest(), BoxCode::readClock, 7);
    return answer ? bigEndianField(*answer, 3, 4) : 0;
}

int StandaloneBoxDriver::readLogCount()
{
    const std::optional<QByteArray> answer = command(logCountRequest(), BoxCode::logCount, 5);
    return answer ? static_cast<int>(bigEndianField(*answer, 3, 2)) : -1;
}

QByteArray StandaloneBoxDriver::readLogEntry(int index)
{
    if (index < 0 || index > maxLogIndex) {
        finish(Outcome::DeviceError);
        return QByteArray();
    }
    const std::optional<QByteArray> answer = command(logEntryRequest(index), BoxCode::logEntry, 3);
    if (!answer) {
        if (lastOutcome() == Outcome::DeviceError)
            qDebug() << "error FFFF";
        return QByteArray();
    }
    return answer->mid(3).toHex();
}

bool StandaloneBoxDriver::eraseLog()
{
    return command(eraseLogRequest(), BoxCode::eraseLog, 3).has_value();
}

std::optional<QByteArray> StandaloneBoxDriver::command(const QByteArray& request, quint8 subCommand,
                                                       int size)
{
    const std::optional<QByteArray> answer = exchange(request, BoxCode::boxCommand);
    if (!answer)
        return std::nullopt;
    const quint8 echo = answer->size() >= 3 ? static_cast<quint8>(answer->at(2)) : 0;
    if (answer->size() >= 3 && echo == BoxCode::error) {
        finish(Outcome::DeviceError);
        return std::nullopt;
    }
    if (answer->size() < size || echo != subCommand) {
        answerFailed(Outcome::BadAnswer);
        return std::nullopt;
    }
    return answer;
}

void StandaloneBoxDriver::answerFailed(Outcome outcome)
{
    finish(outcome);
    mUnsettled = true;
}

// After a failed answer, its rest or an answer that comes after its time-out may still be on the
// way, and would be taken for the next request's answer.
void StandaloneBoxDriver::settleLine()
{
    if (!mUnsettled)
        return;
    mUnsettled = false;
    ++mDoubtfulMoments;
    mLink->readAvailable();
    for (unsigned long round = 0; round < mostSettlingRounds; ++round) {
        mPause(quietMilliseconds);
        if (mLink->readAvailable().isEmpty())
            return;
    }
}

// Bytes waiting before a request belong to no request: the copy of an answer the box repeated,
// or a late one. The answer taken just before them may have been another request's too.
void StandaloneBoxDriver::clearLine()
{
    settleLine();
    if (!mLink->readAvailable().isEmpty()) {
        ++mDoubtfulMoments;
        ++mStrayMoments;
        mWritesHeld = true;
    }
}

void StandaloneBoxDriver::checkLine()
{
    if (mLink)
        clearLine();
}

std::optional<QByteArray> StandaloneBoxDriver::exchange(const QByteArray& request,
                                                        quint8 answerCode,
                                                        unsigned long pauseAfterSend)
{
    if (!mLink) {
        finish(Outcome::ReaderLost);
        return std::nullopt;
    }
    clearLine();
    const bool sent = mLink->send(request);
    if (pauseAfterSend > 0)
        mPause(pauseAfterSend);
    if (!sent) {
        finish(mLink->lastOutcome());
        return std::nullopt;
    }
    const std::optional<QByteArray> head = mLink->receive(2);
    if (!head) {
        answerFailed(mLink->lastOutcome());
        return std::nullopt;
    }
    if (static_cast<quint8>(head->at(0)) != answerCode) {
        const bool noFrame = answerCode == BoxCode::frameReceived &&
                             isReaderErrorCode(static_cast<quint8>(head->at(0)));
        if (noFrame)
            finish(Outcome::NoTag);
        else
            answerFailed(Outcome::BadAnswer);
        return std::nullopt;
    }
    const auto length = static_cast<std::uint32_t>(static_cast<quint8>(head->at(1)));
    if (length == 0) {
        finish(Outcome::Done);
        return head;
    }
    const std::optional<QByteArray> rest = mLink->receive(length);
    if (!rest) {
        // The answer began and stopped short.
        answerFailed(Outcome::BadAnswer);
        return std::nullopt;
    }
    finish(Outcome::Done);
    return *head + *rest;
}
