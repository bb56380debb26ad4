#ifndef STMBOARDDRIVER_H
#define STMBOARDDRIVER_H

#include "drivers/cr95hfdriver.h"

// The CR95HF USB demonstration board, reached through the reader library in use
// (cr95hfLibrary()). The library keeps the USB connection; this driver holds no handle.
class STMBoardDriver : public CR95HFDriver
{
public:
    STMBoardDriver();

    QByteArray name() const override;
    bool ensureOpen() override;
    bool connectDevice() override;
    bool selectProtocol() override;
    bool readSingleBlock(quint16 block, quint32& value) override;
    bool writeSingleBlock(quint16 block, quint32 value) override;

private:
    QByteArray mName;
};

#endif
