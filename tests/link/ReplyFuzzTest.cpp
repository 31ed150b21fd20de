// Seeded random replies: every exchange ends in a value or one link error, never a
// crash, a hang or a value that does not fit the record.
#include "LinkFixture.h"

#include "app/link/CommandPrimitive.h"
#include "app/link/CurvesAndWaveforms.h"
#include "app/link/ParameterGroups.h"
#include "app/link/ReplyParsing.h"
#include "app/link/SlotOperations.h"

#include <random>

using namespace tovu::link;
using namespace tovu::link::test;

namespace {

// Replies that look almost right: fragments of real shapes mixed with noise.
QByteArray randomReply(std::mt19937& rng, const QByteArray& tag)
{
    std::uniform_int_distribution<int> pick(0, 9);
    std::uniform_int_distribution<int> len(0, 700);
    std::uniform_int_distribution<int> byte(0, 255);
    QByteArray out;
    switch (pick(rng)) {
    case 0:  // pure noise, maybe with carriage returns
        for (int i = len(rng); i > 0; --i)
            out += static_cast<char>(byte(rng));
        break;
    case 1:  // a status byte
        out += static_cast<char>(std::array<int, 3>{6, 7, 21}[static_cast<std::size_t>(pick(rng) % 3)]);
        break;
    default: {  // the tag and numbers of any size and shape
        out = tag;
        for (int i = len(rng); i > 0; --i) {
            out += ',';
            switch (pick(rng)) {
            case 0: out += QByteArray::number(byte(rng) * 1000); break;
            case 1: out += "65535"; break;
            case 2: out += "-1e9"; break;
            case 3: break;  // empty field
            case 4: out += static_cast<char>(byte(rng)); break;
            default: out += QByteArray::number(byte(rng)); break;
            }
        }
    }
    }
    if (pick(rng) != 0)
        out += '\r';  // sometimes the line never ends
    return out;
}

} // namespace

TEST(ReplyParsingFuzz, ParsersEitherAcceptOrRaiseBadReply)
{
    std::mt19937 rng(20091205);
    const QByteArray tags[] = {"AWT", "ADC", "AAC", "YC", "RP", "APL", "XX"};
    for (int i = 0; i < 3000; ++i) {
        const QByteArray tag = tags[static_cast<std::size_t>(i) % std::size(tags)];
        const QString reply = QString::fromLatin1(randomReply(rng, tag)).remove(QLatin1Char('\r'));
        try {
            const ArrayReply a = parseArrayReply(QStringLiteral("AWT"), reply);
            EXPECT_LE(a.first.size(), 256u);
            EXPECT_EQ(a.second.size(), a.target == ArrayTarget::TcgCurve ? 0u : a.first.size());
        } catch (const LinkError& e) {
            EXPECT_EQ(e.kind(), LinkErrorKind::BadReply);
        }
        try {
            EXPECT_LE(parsePointList(QStringLiteral("RRP"), reply).points.size(), 10u);
        } catch (const LinkError& e) {
            EXPECT_EQ(e.kind(), LinkErrorKind::BadReply);
        }
        slotListed(reply, i % 120);
    }
}

using ExchangeFuzz = LinkFixture;

TEST_F(ExchangeFuzz, EveryOperationEndsInAValueOrOneLinkError)
{
    openPort();
    std::mt19937 rng(4711);
    instrument.override_ = [&](const QByteArray& line) { return randomReply(rng, line.left(3)); };
    const std::function<void()> ops[] = {
        [&] { WriteComm(ctx, QStringLiteral("RGN"), QString()); },
        [&] { ReadWaveformData(ctx, 1, QStringLiteral("AWT")); },
        [&] { ReadWaveformData(ctx, 1, QStringLiteral("AYC")); },
        [&] { ReadWaveformData(ctx, 1, QStringLiteral("ADC")); },
        [&] { ReadDACSettings(ctx, 1); },
        [&] { ReadTCGSettings(ctx, 1); },
        [&] { PanelSlotUsed(ctx, 3, QString()); },
        [&] { ALogMemoryAction(ctx, MemoryAction::RECALL, 2, 1); },
    };
    int errors = 0;
    for (int i = 0; i < 400; ++i) {
        const auto start = clock.now;
        try {
            ops[static_cast<std::size_t>(i) % std::size(ops)]();
        } catch (const LinkError&) {
            ++errors;
        }
        EXPECT_LT(clock.now - start, 5 * 36000) << "iteration " << i;  // bounded even when nothing ends a line
        if (!port.portOpen())
            openPort();
        EXPECT_TRUE(rec(1).settings().DacPointCount.trimmed().isEmpty()
                    || rec(1).settings().DacPointCount.trimmed().toInt() <= 10);
    }
    EXPECT_GT(errors, 0);
}
