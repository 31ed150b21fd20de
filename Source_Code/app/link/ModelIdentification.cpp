#include "app/link/ModelIdentification.h"

#include "platform/text/NumberText.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/LinkError.h"
#include "app/link/ProtocolBytes.h"

#include <algorithm>

namespace tovu::link {

namespace {

const QString kSource = QStringLiteral("GetInstrumentModel");

LinkError identificationFailed(LinkContext& ctx, LinkErrorKind kind, const QString& cmd)
{
    return LinkError(kind, kSource, ctx.strings.GetResString(kIdentificationFailedString).arg(cmd));
}

bool hasControlByte(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
}

// The "AMD" reply: a text, neither empty nor a status byte nor noise.
QString readIdentification(LinkContext& ctx)
{
    const QString cmd = command::kModel;
    bool refused = false;
    for (int send = 0; send < 2; ++send) {
        const QString ident = WriteCommSpecial(ctx, cmd);
        if (!ident.trimmed().isEmpty() && !hasControlByte(ident))
            return ident;
        refused = ident == QString(QChar(kNakByte));
    }
    throw identificationFailed(ctx, refused ? LinkErrorKind::NotAcknowledged : LinkErrorKind::BadReply, cmd);
}

bool holdsItems(const items::ItemStore& s)
{
    for (const auto* array : {&s.WorkItems, &s.Panels, &s.ALogs})
        for (const auto& r : *array)
            if (r.InUse)
                return true;
    return false;
}

MemoryMenus menusOf(int generation, LinkContext& ctx)
{
    MemoryMenus m;
    switch (generation) {
    case 0:
        m.eraseMemory = false;
        break;
    case 1:
        m.alogMemSelect2 = false;
        m.alogMemSelect = true;
        m.eraseMemory = firmwareFigure(WriteComm(ctx, command::kSecondFirmware, QString())) >= 3.0;
        break;
    default:
        m.alogMemSelect = false;
        m.alogMemSelect2 = true;
        m.eraseMemory = true;
        break;
    }
    return m;
}

void applyGeneration(LinkContext& ctx, int generation)
{
    if (ctx.GenerationIdentified && generation == ctx.store.MemoryGeneration)
        return;
    if (ctx.transferRunning())
        throw LinkError(LinkErrorKind::InstrumentChanged, kSource,
                        QStringLiteral("The instrument's memory generation changed during the transfer"));
    if (holdsItems(ctx.store) && !(ctx.approveDiscard && ctx.approveDiscard(generation)))
        throw LinkError(LinkErrorKind::InstrumentChanged, kSource,
                        QStringLiteral("An instrument of another memory generation is connected; the items in memory were kept"));
    ctx.store.RecreateArrays(generation);
    ctx.GenerationIdentified = true;
    const MemoryMenus menus = menusOf(generation, ctx);
    if (ctx.onMemoryMenus)
        ctx.onMemoryMenus(menus);
}

} // namespace

QString readFirmware(LinkContext& ctx)
{
    const QString cmd = command::kFirmware;
    QString reply;
    for (int send = 0; send < 2; ++send) {
        reply = WriteComm(ctx, cmd, QString());
        // A version has a digit in its first token; status words and blanks have none.
        const QString token = reply.trimmed().section(QLatin1Char(' '), 0, 0);
        if (std::any_of(token.begin(), token.end(), [](QChar c) { return c.isDigit(); }))
            return reply;
    }
    throw identificationFailed(ctx, reply == kNack ? LinkErrorKind::NotAcknowledged : LinkErrorKind::BadReply, cmd);
}

double NumericValue(const QString& text)
{
    QString kept;
    for (const QChar c : text)
        if (c.unicode() >= 46 && c.unicode() <= 57)
            kept += c;
    return platform::text::valueOfText(kept);
}

double firmwareFigure(const QString& reply)
{
    const QString token = reply.trimmed().section(QLatin1Char(' '), 0, 0);
    return NumericValue(token);
}

int modelOfIdent(const items::ModelNameTable& names, const QString& ident)
{
    int model = 0;
    for (int i = 1; i < items::kModelCount; ++i)
        if (ident.contains(names[static_cast<std::size_t>(i)], Qt::CaseSensitive))
            model = i;
    return model;
}

int GetInstrumentModel(LinkContext& ctx, int idx)
{
    ctx.store.workItem(idx);  // an index outside the array fails before anything is sent
    const QString ident = readIdentification(ctx);
    ctx.store.workItem(idx).editSettings().IdentText = ident;
    int model = modelOfIdent(ctx.ModelNames, ident);
    if (model == kModelWithTwoFirmwares) {
        if (!readFirmware(ctx).contains(QLatin1String("1.")))
            model = kLaterModelOfThatName;
        ctx.clock.sleepMs(2);
    }
    applyGeneration(ctx, items::MemoryGenerationOfModel(model));
    // A re-creation emptied the record: it gets its identification again.
    items::DFDRecord& rec = ctx.store.workItem(idx);
    rec.editSettings().IdentText = ident;
    const bool three = firmwareFigure(readFirmware(ctx)) >= 3.0;
    ctx.store.FirmwareVersion = three ? 3 : 2;
    ctx.store.workItem(idx).DataVersion = three ? 3.0 : 2.0;
    return model;
}

} // namespace tovu::link
