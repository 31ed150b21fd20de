// On a real instrument (TOVU_TEST_PORT names its serial device): only what changes
// nothing the user keeps: identify, read every group, write one setting and read it
// back (then restore it), list the occupied slots, close.
#include "SimLink.h"

#include "app/link/BaudScan.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Connection.h"
#include "app/link/ModelIdentification.h"
#include "app/link/ParameterGroups.h"
#include "app/link/RecordTransfer.h"

#include <gtest/gtest.h>

using namespace tovu::link;
using namespace tovu::link::test;

TEST(RealInstrument, IdentifyReadWriteBackListAndClose)
{
    const auto device = externalPort();
    if (!device)
        GTEST_SKIP() << "set TOVU_TEST_PORT to a serial device to run this";
    tovu::sim::SimOptions o;
    SimLink link(o, 1.0, *device);
    LinkContext& ctx = *link.ctx;
    BaudScanHooks hooks;
    scan_baudrate(ctx, hooks);  // finds the instrument's rate
    LinkSession session(ctx);
    const int model = GetInstrumentModel(ctx, 0);
    EXPECT_GT(model, 0) << ctx.store.workItem(0).settings().IdentText.toStdString();
    ReadPanelSettings(ctx, 0);
    const QString reject = ctx.store.workItem(0).settings().Reject;
    if (reject != QLatin1String("N/A")) {
        const QString other = reject.trimmed() == QLatin1String("0") ? QStringLiteral("1") : QStringLiteral("0");
        EXPECT_EQ(WriteComm(ctx, QStringLiteral("WRJ"), other), QStringLiteral("ACK"));
        EXPECT_EQ(WriteComm(ctx, QStringLiteral("RRJ"), QString()).trimmed(), other);
        WriteComm(ctx, QStringLiteral("WRJ"), reject);
    }
    if (ctx.store.MemoryGeneration >= 1) {
        const QString panels = WriteCommSpecial(ctx, QStringLiteral("APL"));
        const QString alogs = WriteCommSpecial(ctx, QStringLiteral("AWL"));
        EXPECT_TRUE(panels.startsWith(QLatin1String("APL"))) << panels.toStdString();
        EXPECT_TRUE(alogs.startsWith(QLatin1String("AWL"))) << alogs.toStdString();
    }
}
