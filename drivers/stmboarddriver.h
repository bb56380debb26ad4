#ifndef STMBOARDDRIVER_H
#define STMBOARDDRIVER_H

#include "drivers/cr95hfdriver.h"
#include "platform/cr95hflibrary.h"

// The CR95HF USB demonstration board, reached through the reader library it is given. The library
// keeps the USB connection; this driver holds no handle.
class STMBoardDriver : public CR95HFDriver
{
public:
    explicit STMBoardDriver(Cr95hfLibrary& library);

    QByteArray name() const override;
    bool ensureOpen() override;
    bool connectDevice() override;
    bool selectProtocol() override;
    bool readSingleBlock(quint16 block, quint32& value) override;
    bool writeSingleBlock(quint16 block, quint32 value) override;

private:
    Cr95hfLibrary& mLibrary;
    QByteArray mName;
};

#endif
