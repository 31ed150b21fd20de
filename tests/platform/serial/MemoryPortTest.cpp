#include "platform/serial/MemoryPort.h"

#include <gtest/gtest.h>

using namespace tovu::platform::serial;

TEST(MemoryPort, UsingAClosedPortFailsNamingTheDevice)
{
    MemoryPort port;
    port.setCommPort(3);
    try {
        port.output("ARM\r");
        FAIL() << "no error";
    } catch (const PortError& e) {
        EXPECT_EQ(e.device(), QStringLiteral("COM3 (memory)"));
    }
    EXPECT_THROW(port.input(), PortError);
    EXPECT_THROW(port.setInBufferCount(0), PortError);
}

TEST(MemoryPort, InputLenBoundsEachRead)
{
    MemoryPort port;
    port.setPortOpen(true);
    port.feed("AB\r");
    port.setInputLen(1);
    EXPECT_EQ(port.inBufferCount(), 3);
    EXPECT_EQ(port.input(), QByteArray("A"));
    EXPECT_EQ(port.input(), QByteArray("B"));
    port.setInputLen(0);
    EXPECT_EQ(port.input(), QByteArray("\r"));
    EXPECT_EQ(port.input(), QByteArray());
}

TEST(MemoryPort, ResponderAnswersEachLineAndTheTranscriptKeepsPortChanges)
{
    MemoryPort port;
    port.setResponder([](MemoryPort& p, const QByteArray& line) {
        if (line == "ARM")
            p.feed("\x06\r");
    });
    port.setSettings(QStringLiteral("38400,N,8,1"));
    port.setPortOpen(true);
    port.output("AR");
    EXPECT_EQ(port.inBufferCount(), 0);  // nothing until the carriage return
    port.output("M\r");
    EXPECT_EQ(port.input(), QByteArray("\x06\r"));
    port.setSettings(QStringLiteral("9600,N,8,1"));
    port.output(QByteArray("X\x15\r"));
    port.setInBufferCount(0);
    port.setPortOpen(false);
    EXPECT_EQ(port.transcript(), (QStringList{"open 38400,N,8,1", "> ARM", "settings 9600,N,8,1", "> X<21>", "close"}));
    EXPECT_EQ(port.sentLines(), (QStringList{"ARM", "X<21>"}));
}

TEST(MemoryPort, WaitCallsTheIdleHookOnlyWhenNothingWaits)
{
    MemoryPort port;
    port.setPortOpen(true);
    int idled = 0;
    port.setIdleHook([&](int ms) {
        idled += ms;
        if (idled >= 30)
            port.feed("x");
    });
    EXPECT_FALSE(port.waitForInput(10));
    EXPECT_FALSE(port.waitForInput(10));
    EXPECT_TRUE(port.waitForInput(10));
    EXPECT_TRUE(port.waitForInput(10));
    EXPECT_EQ(idled, 30);
}

TEST(MemoryPort, OpenFailureAndDisconnectAreReportedAsPortErrors)
{
    MemoryPort port;
    port.setOpenFails(true);
    EXPECT_THROW(port.setPortOpen(true), PortError);
    EXPECT_FALSE(port.portOpen());
    port.setOpenFails(false);
    port.setPortOpen(true);
    port.disconnect();
    EXPECT_THROW(port.input(), PortError);
    EXPECT_FALSE(port.portOpen());
    EXPECT_THROW(port.setSettings(QStringLiteral("bad")), PortError);
    EXPECT_THROW(port.setCommPort(0), PortError);
}
