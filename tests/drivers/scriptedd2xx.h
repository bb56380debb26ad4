#ifndef SCRIPTEDD2XX_H
#define SCRIPTEDD2XX_H

#include "platform/d2xxlibrary.h"

#include <QByteArray>
#include <QList>

#include <algorithm>
#include <cstring>

// A D2XX device that answers each write with the next scripted bytes, and keeps what was
// written. Reads never wait.
class ScriptedD2xx : public D2xxLibrary
{
public:
    // The answers to the coming writes, as hex text, in order.
    void script(const QList<QByteArray>& answers)
    {
        for (const QByteArray& answer : answers)
            mAnswers.append(QByteArray::fromHex(answer));
    }
    void queueNow(const QByteArray& hexText) { mQueue.append(QByteArray::fromHex(hexText)); }
    QByteArray written() const { return mWritten.toHex(); }
    int reads() const { return mReads; }

    int open(int, Handle& handle) override
    {
        handle = this;
        return 0;
    }
    int close(Handle) override { return 0; }
    int read(Handle, void* buffer, std::uint32_t count, std::uint32_t& received) override
    {
        ++mReads;
        received = std::min<std::uint32_t>(count, static_cast<std::uint32_t>(mQueue.size()));
        std::memcpy(buffer, mQueue.constData(), received);
        mQueue.remove(0, static_cast<int>(received));
        return 0;
    }
    int write(Handle, const void* buffer, std::uint32_t count, std::uint32_t& written) override
    {
        mWritten.append(static_cast<const char*>(buffer), static_cast<int>(count));
        written = count;
        if (!mAnswers.isEmpty())
            mQueue.append(mAnswers.takeFirst());
        return 0;
    }
    int setBaudRate(Handle, std::uint32_t) override { return 0; }
    int setDataCharacteristics(Handle, std::uint8_t, std::uint8_t, std::uint8_t) override
    {
        return 0;
    }
    int purge(Handle, std::uint32_t) override
    {
        mQueue.clear();
        return 0;
    }
    int setTimeouts(Handle, std::uint32_t, std::uint32_t) override { return 0; }
    int queueStatus(Handle, std::uint32_t& waiting) override
    {
        waiting = static_cast<std::uint32_t>(mQueue.size());
        return 0;
    }
    int setLatencyTimer(Handle, std::uint8_t) override { return 0; }

private:
    QList<QByteArray> mAnswers;
    QByteArray mQueue;
    QByteArray mWritten;
    int mReads = 0;
};

#endif
