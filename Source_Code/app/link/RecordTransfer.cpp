#include "app/link/RecordTransfer.h"

#include "app/link/LinkError.h"
#include "app/link/ModelIdentification.h"
#include "app/link/ParameterGroups.h"

#include <functional>

namespace tovu::link {

namespace {

struct Step {
    int progress;  // set before the step; -1 keeps the value shown
    void (*run)(LinkContext&, int);
};

void identify(LinkContext& ctx, int idx)
{
    const int model = GetInstrumentModel(ctx, idx);
    ctx.store.workItem(idx).ModelIndex = static_cast<std::int16_t>(model);
}

void readGates(LinkContext& ctx, int idx)
{
    for (int g = 0; g < 3; ++g)
        ReadGate(ctx, idx, g);
}

void writeGates(LinkContext& ctx, int idx)
{
    for (int g = 0; g < 3; ++g)
        WriteGate(ctx, idx, g);
}

void writeTransmitterAndGates(LinkContext& ctx, int idx)
{
    WriteParamsPD(ctx, idx);
    writeGates(ctx, idx);
}

constexpr Step kRead[] = {
    {0, identify},        {6, ReadDACSettings}, {12, ReadTCGSettings}, {16, ReadParamsYT}, {20, ReadParamsE},
    {24, ReadParamsSF},   {30, ReadParamsAV},   {36, ReadParamsPZ},    {42, ReadParamsCT}, {48, ReadParamsPD},
    {-1, readGates},      {54, ReadParamsAG},   {60, ReadParamPM},     {66, ReadParamsZO}, {72, ReadParamsUN},
    {78, ReadParamsVA},   {84, ReadParamsPO},   {90, ReadNotes},
};

constexpr Step kWrite[] = {
    {0, WriteParamsUN},    {6, WriteParamsPZ},     {12, WriteParamsCT},  {18, writeTransmitterAndGates},
    {24, WriteParamsAG},   {30, WriteParamPM},     {36, WriteParamsZO},  {42, WriteDACSettings},
    {48, WriteTCGSettings}, {53, WriteParamsYT},   {56, WriteParamsAV},  {60, WriteParamsE},
    {66, WriteParamsSF},   {72, writeGates},       {78, WriteParamsVA},  {84, WriteParamsPO},
    {90, WriteNotes},
};

constexpr int kDone = 100;

} // namespace

void ReadPanelSettings(LinkContext& ctx, int idx)
{
    for (const Step& s : kRead) {
        if (s.progress >= 0)
            ctx.setProgress(s.progress);
        s.run(ctx, idx);
    }
    ctx.setProgress(kDone);
}

QStringList WritePanelSettings(LinkContext& ctx, int idx)
{
    ctx.store.workItem(idx);
    QStringList skipped;
    for (const Step& s : kWrite) {
        if (s.progress >= 0)
            ctx.setProgress(s.progress);
        try {
            s.run(ctx, idx);
        } catch (const RecordValueError& e) {
            skipped << e.text();
        }
    }
    ctx.setProgress(kDone);
    return skipped;
}

} // namespace tovu::link
