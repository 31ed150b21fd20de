// The service terminal: the typed text as it is, the raw reply and its first code.
#include "TransferFixture.h"

#include "app/link/Terminal.h"

#include <gtest/gtest.h>

using namespace tovu::link;
using namespace tovu::link::test;

namespace {

struct Terminal : TransferFixture {
    Terminal() : TransferFixture(21) {}
};

} // namespace

TEST_F(Terminal, TheTextGoesOutAsTypedAndTheReplyComesBackRaw)
{
    const TerminalReply r = applyTerminalCommand(ctx, QStringLiteral("ARM"));
    EXPECT_EQ(r.reply, QString(QChar(6)));
    EXPECT_EQ(r.codeText, QStringLiteral("6"));
    const TerminalReply g = applyTerminalCommand(ctx, QStringLiteral("RGN"));
    EXPECT_TRUE(g.reply.startsWith(QLatin1String("GN,"))) << g.reply.toStdString();
    EXPECT_EQ(g.codeText, QStringLiteral("71"));
    EXPECT_EQ(sent(), (QStringList{"ARM", "RGN"}));
    EXPECT_FALSE(port.portOpen());
}

TEST_F(Terminal, AnEmptyReplyAndNoReply)
{
    instrument.fault = [](const QByteArray& line, tovu::platform::serial::MemoryPort& p) {
        if (line == "XXX")
            p.feed("\r");
        return line == "XXX" || line == "ZZZ";
    };
    const TerminalReply r = applyTerminalCommand(ctx, QStringLiteral("XXX"));
    EXPECT_EQ(r.reply, QString());
    EXPECT_EQ(r.codeText, QStringLiteral("Empty String back"));
    const LinkError e = expectLinkError([&] { applyTerminalCommand(ctx, QStringLiteral("ZZZ")); }, LinkErrorKind::Timeout);
    EXPECT_EQ(e.Source(), QStringLiteral("TERMINAL Apply Command"));
    EXPECT_EQ(e.Description(), QStringLiteral("Communication error executing ZZZ"));
    EXPECT_FALSE(port.portOpen());
}
