#include "drivers/standaloneboxdriver.h"

#include "drivers/boxprotocol.h"

#include <QDebug>
#include <QThread>

#include <iostream>

namespace {

constexpr unsigned long pauseAfterBlockWrite = 1;
constexpr int maxLogIndex = 0xFFFF;

} // namespace

StandaloneBoxDriver::StandaloneBoxDriver() : mName("StandaloneBox") {}

StandaloneBoxDriver::~StandaloneBoxDriver() = default;

QByteArray StandaloneBoxDriver::name() const
{
    return mName;
}

bool StandaloneBoxDriver::ensureOpen()
{
    return (mConnected && mLink && mLink->isAlive()) || open();
}

// The device opens exclusively, so the old link is closed before a new one is opened.
bool StandaloneBoxDriver::connectDevice()
{
    mLink.reset();
    mConnected = false;
    try {
        mLink = std::make_unique<FtdiSerialLink>(baudRate, wordLength, stopBits, parity);
    } catch (const QByteArray&) {
        return false;
    }
    mLink->purge();
    mConnected = true;
    return true;
}

bool StandaloneBoxDriver::selectProtocol()
{
    if (!mConnected)
        return false;
    const QByteArray drained = mLink->readAvailable();
    mLink->send(boxProtocolSelectRequest());
    const QByteArray answer = mLink->readExact(2);
    const QByteArray rest = mLink->readAvailable();
    std::cout << drained.constData() << answer.constData() << rest.constData() << std::flush;
    return answer == "0000";
}

bool StandaloneBoxDriver::readSingleBlock(quint16 block, quint32& value)
{
    const std::optional<QByteArray> answer =
        exchange(boxReadBlockRequest(block), BoxCode::frameReceived);
    if (!answer)
        reopenAtNextCheck();
    if (!answer || answer->size() < 7 || !isTagAnswerWithoutError(*answer))
        return false;
    value = bigEndianField(*answer, 3, 4);
    return true;
}

bool StandaloneBoxDriver::writeSingleBlock(quint16 block, quint32 value)
{
    const std::optional<QByteArray> answer =
        exchange(boxWriteBlockRequest(block, value), BoxCode::frameReceived, pauseAfterBlockWrite);
    if (!answer)
        reopenAtNextCheck();
    return answer && isTagAnswerWithoutError(*answer);
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
    if (index < 0 || index > maxLogIndex)
        return QByteArray();
    const std::optional<QByteArray> answer = exchange(logEntryRequest(index), BoxCode::boxCommand);
    if (!answer || answer->size() < 3)
        return QByteArray();
    if (static_cast<quint8>(answer->at(2)) == BoxCode::error) {
        qDebug() << "error FFFF";
        return QByteArray();
    }
    if (static_cast<quint8>(answer->at(2)) != BoxCode::logEntry)
        return QByteArray();
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
    if (!answer || answer->size() < size || static_cast<quint8>(answer->at(2)) != subCommand)
        return std::nullopt;
    return answer;
}

std::optional<QByteArray> StandaloneBoxDriver::exchange(const QByteArray& request,
                                                        quint8 answerCode,
                                                        unsigned long pauseAfterSend)
{
    if (!mLink)
        return std::nullopt;
    mLink->readAvailable();
    const bool sent = mLink->send(request);
    if (pauseAfterSend > 0)
        QThread::msleep(pauseAfterSend);
    if (!sent)
        return std::nullopt;
    const std::optional<QByteArray> head = answerBytes(mLink->readExact(2));
    if (!head || head->size() != 2 || static_cast<quint8>(head->at(0)) != answerCode)
        return std::nullopt;
    const auto length = static_cast<std::uint32_t>(static_cast<quint8>(head->at(1)));
    if (length == 0)
        return head;
    const std::optional<QByteArray> rest = answerBytes(mLink->readExact(length));
    if (!rest || rest->size() != static_cast<int>(length))
        return std::nullopt;
    return *head + *rest;
}
