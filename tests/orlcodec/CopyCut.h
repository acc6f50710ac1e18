#pragma once
// A lossless cut of one range through the engine's plain interface, as the
// media library's tests make them; the cut report comes back in report.
#include "TestSupport.h"
#include "orlcodec.h"

#include <QString>

inline bool cutRange(const QString &src, const QString &dst, const char *format, double start, double length,
              QString &report)
{
    ORL_HANDLE c = Conv_CreateCopy(-1);
    ORL_HANDLE p = Param_Create();
    bool ok = false;
    if (Conv_Open(c, src.toUtf8().constData(), dst.toUtf8().constData(), format, p) == 1
        && Conv_SetRange(c, static_cast<uint64_t>(start * 1e6), static_cast<uint64_t>(length * 1e6)) == 1
        && Conv_Start(c) == 1) {
        ok = testsupport::waitForDone([c] { return Conv_IsFinished(c) == 1; }, "the cut") && Conv_IsAborted(c) == 0;
    }
    report = QString::fromUtf8(Conv_GetCutReport(c));
    Param_Release(p);
    Conv_Close(c);
    Conv_Destroy(c);
    return ok;
}
