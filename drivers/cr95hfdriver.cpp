#include "drivers/cr95hfdriver.h"

#include "drivers/blockvalue.h"

#include <iostream>

bool CR95HFDriver::open()
{
    if (!connectDevice() || !selectProtocol())
        return false;
    std::cout << "------------device opened--------------" << std::endl;
    return true;
}

bool CR95HFDriver::readBlock(quint16 block, quint32& value)
{
    if (!ensureOpen())
        return false;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (readSingleBlock(block, value))
            return true;
    }
    return false;
}

bool CR95HFDriver::readWord(quint16 block, int index, quint16& value)
{
    quint32 blockValue = 0;
    if (!isWordIndex(index))
        return finish(Outcome::DeviceError);
    if (!readBlock(block, blockValue))
        return false;
    value = wordAt(blockValue, index);
    return true;
}

bool CR95HFDriver::readByte(quint16 block, int index, quint8& value)
{
    quint32 blockValue = 0;
    if (!isByteIndex(index))
        return finish(Outcome::DeviceError);
    if (!readBlock(block, blockValue))
        return false;
    value = byteAt(blockValue, index);
    return true;
}

bool CR95HFDriver::writeBlock(quint16 block, quint32 value)
{
    if (!ensureOpen())
        return false;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        if (writeSingleBlock(block, value))
            return true;
    }
    return false;
}

bool CR95HFDriver::writeWord(quint16 block, int index, quint16 value)
{
    quint32 blockValue = 0;
    if (!isWordIndex(index))
        return finish(Outcome::DeviceError);
    if (!readBlock(block, blockValue))
        return false;
    return writeBlock(block, withWordAt(blockValue, index, value));
}

bool CR95HFDriver::writeByte(quint16 block, int index, quint8 value)
{
    quint32 blockValue = 0;
    if (!isByteIndex(index))
        return finish(Outcome::DeviceError);
    if (!readBlock(block, blockValue))
        return false;
    return writeBlock(block, withByteAt(blockValue, index, value));
}
