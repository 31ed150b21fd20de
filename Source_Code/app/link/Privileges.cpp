#include "app/link/Privileges.h"

#include "platform/text/NumberText.h"
#include "app/link/CommandPrimitive.h"
#include "app/link/Commands.h"
#include "app/link/Connection.h"
#include "app/link/LinkError.h"
#include "app/link/Refusals.h"
#include "app/link/TransferSupport.h"

#include <algorithm>

namespace tovu::link {

namespace {

constexpr int kCheckingString = 564;
constexpr int kNoPrivilegesString = 565;

QString errorText(const std::exception& e)
{
    if (const auto* le = dynamic_cast<const LinkError*>(&e))
        return le->Source() + kCrLf + le->Description();
    return QStringLiteral("TOVU") + kCrLf + QString::fromLocal8Bit(e.what());
}

} // namespace

std::vector<int> restrictionColours(const QString& limit, int labels)
{
    const int n = platform::text::roundClamped(platform::text::valueOfText(limit), 0, labels);
    std::vector<int> colours(static_cast<std::size_t>(labels) + 1, kFullAccessColour);
    for (int i = 1; i <= n; ++i)
        colours[static_cast<std::size_t>(i)] = kRestrictedColour;
    return colours;
}

PrivilegesState::PrivilegesState(int maxPanels, int maxALogs)
    : panelLabels_(std::clamp(maxPanels, 0, kPrivilegePanelLabels)),
      alogLabels_(std::clamp(maxALogs, 0, kPrivilegeALogLabels)),
      panelColours_(restrictionColours({}, panelLabels_)),
      alogColours_(restrictionColours({}, alogLabels_))
{
}

void PrivilegesState::setToSend(const QString& panelLimit, const QString& alogLimit, const QString& privilegeLevel)
{
    PanelLimit = panelLimit;
    AlogLimit = alogLimit;
    PrivilegeLevel = privilegeLevel;
}

void PrivilegesState::Form_Load()
{
    alogColours_ = restrictionColours(AlogLimit, alogLabels_);
    panelColours_ = restrictionColours(PanelLimit, panelLabels_);
    OptionPrivilege_Click(platform::text::valueOfText(PrivilegeLevel) == kSupervisorLevel ? 0 : 1);
}

void PrivilegesState::PanelLbl_Click(int index)
{
    if (index < 0 || index > panelLabels_)
        return;
    applyEnabled = true;
    PanelLimit = platform::text::numberText(static_cast<long long>(index));
    panelColours_ = restrictionColours(PanelLimit, panelLabels_);
}

void PrivilegesState::AlogLbl_Click(int index)
{
    if (index < 0 || index > alogLabels_)
        return;
    applyEnabled = true;
    AlogLimit = platform::text::numberText(static_cast<long long>(index));
    alogColours_ = restrictionColours(AlogLimit, alogLabels_);
}

void PrivilegesState::OptionPrivilege_Click(int index)
{
    applyEnabled = true;
    option_ = index == 0 ? 0 : 1;
    PrivilegeLevel = option_ == 0 ? QStringLiteral("10") : QStringLiteral("0");
}

bool applyPrivileges(LinkContext& ctx, LinkDialogs& dialogs, PrivilegesState& state,
                     const std::function<void(bool)>& setBusy)
{
    ctx.Active = true;
    if (setBusy)
        setBusy(true);
    QString error;
    try {
        OpenComm(ctx);
        // A register the instrument refused to give is never sent back as "NACK".
        writeSetting(ctx, command::kWriteALogLimit, state.AlogLimit);
        writeSetting(ctx, command::kWritePanelLimit, state.PanelLimit);
        writeSetting(ctx, command::kWritePrivilegeLevel, state.PrivilegeLevel);
    } catch (const std::exception& e) {
        error = errorText(e);
    }
    // Cleanup never raises: CloseComm ends remote mode itself, also after a cancel.
    CloseComm(ctx);
    ctx.Active = true;
    if (setBusy)
        setBusy(false);
    if (!error.isEmpty()) {
        dialogs.message(error, kApplyButtonError, LinkIcon::Critical);
        return false;
    }
    state.applyEnabled = false;
    return true;
}

void mnuSetPrivilege_Click(TransferEnv& env, PrivilegesState& state,
                           const std::function<void(PrivilegesState&)>& showWindow)
{
    LinkContext& ctx = env.link;
    ctx.Active = true;
    env.host.setBusy(true);
    ctx.pump.doEvents();
    env.wait.setMessage(ctx.strings.GetResString(kCheckingString));
    env.wait.showModeless();
    QString rsr;
    try {
        OpenComm(ctx);
        const QString rar = readSetting(ctx, command::kReadALogLimit);
        rsr = readSetting(ctx, command::kReadPanelLimit);
        const QString rzz = readSetting(ctx, command::kReadPrivilegeLevel);
        state = PrivilegesState(ctx.store.MaxPanels, ctx.store.MaxALogs);
        state.setToSend(rsr, rar, rzz);
    } catch (const std::exception& e) {
        env.wait.hide();
        CloseComm(ctx);
        ctx.Active = true;
        env.dialogs.message(errorText(e), kSetPrivesError, LinkIcon::Critical);
        env.host.setBusy(false);
        return;
    }
    CloseComm(ctx);
    env.host.setBusy(false);
    env.wait.hide();
    if (rsr == kNotAvailable) {
        env.dialogs.message(ctx.strings.GetResString(kNoPrivilegesString), ctx.strings.GetResString(kTitleString),
                            LinkIcon::Information);
        return;
    }
    state.Form_Load();
    if (showWindow)
        showWindow(state);
}

} // namespace tovu::link
