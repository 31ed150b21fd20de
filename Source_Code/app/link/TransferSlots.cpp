#include "app/link/TransferSlots.h"

#include <algorithm>

namespace tovu::link {

namespace {

// Every bank a transfer of "all" covers: panels 1..100, ALogs 1..800.
constexpr int kPanelBanksAll = 5;
constexpr int kALogBanksAll = 8;

int blockIndex(int n, int perBank, int lastBank)
{
    int bank = 0;
    for (int b = lastBank; b >= 1; --b)
        if (n > perBank * b) {
            bank = b;
            break;
        }
    return bank;
}

} // namespace

void PanelBlockIndex(int n, int& bank) { bank = blockIndex(n, kPanelsPerBank, kPanelBanksAll - 1); }
void AlogBlockIndex(int n, int& bank) { bank = blockIndex(n, kALogsPerBank, kALogBanksAll - 1); }

int slotsPerBank(SlotKind kind) { return kind == SlotKind::Panel ? kPanelsPerBank : kALogsPerBank; }

int bankOfSlot(SlotKind kind, int slot) { return (slot - 1) / slotsPerBank(kind); }

int labelOfSlot(SlotKind kind, int slot) { return (slot - 1) % slotsPerBank(kind) + 1; }

SlotRow rowOf(SlotKind kind) { return kind == SlotKind::Panel ? SlotRow::Panels : SlotRow::ALogs; }

int treeNodeOfLabel(SlotKind kind, int label)
{
    return kind == SlotKind::Panel ? label + kFirstPanelNode - 1 : label + kFirstALogNode - 1;
}

int maxSlots(const TransferEnv& env, SlotKind kind)
{
    return kind == SlotKind::Panel ? env.link.store.MaxPanels : env.link.store.MaxALogs;
}

int shownBank(const TransferEnv& env, SlotKind kind)
{
    if (env.link.store.MemoryGeneration < 1)
        return 0;
    const int page = kind == SlotKind::Panel ? env.host.checkedPanelPage() : env.host.checkedALogPage();
    const int pages = (maxSlots(env, kind) + slotsPerBank(kind) - 1) / slotsPerBank(kind);
    return page >= 1 && page <= pages ? page - 1 : 0;
}

std::vector<int> downloadSlots(const TransferEnv& env, SlotKind kind, int first, int last)
{
    const int max = maxSlots(env, kind);
    if (env.link.store.MemoryGeneration >= 1 && first == 1 && last >= max) {
        const int banks = kind == SlotKind::Panel ? kPanelBanksAll : kALogBanksAll;
        std::vector<int> all;
        for (int s = 1; s <= std::min(max, banks * slotsPerBank(kind)); ++s)
            all.push_back(s);
        return all;
    }
    std::vector<int> positions;
    for (int p = first; p <= last; ++p)
        positions.push_back(p);
    return downloadSlots(env, kind, positions);
}

std::vector<int> downloadSlots(const TransferEnv& env, SlotKind kind, const std::vector<int>& positions)
{
    const int max = maxSlots(env, kind);
    const bool banked = env.link.store.MemoryGeneration >= 1;
    const int base = banked ? shownBank(env, kind) * slotsPerBank(kind) : 0;
    std::vector<int> selection;
    for (const int p : positions) {
        if (p < 1 || (banked && p > slotsPerBank(kind)))
            continue;
        const int s = base + p;
        if (s <= max && std::find(selection.begin(), selection.end(), s) == selection.end())
            selection.push_back(s);
    }
    std::sort(selection.begin(), selection.end());
    return selection;
}

std::vector<UploadPair> uploadPairs(const TransferEnv& env, SlotKind kind, int first, int last, int single)
{
    const int max = maxSlots(env, kind);
    std::vector<UploadPair> pairs;
    if (single >= 1) {
        if (first >= 1 && first <= max && single <= max)
            pairs.emplace_back(first, single);
        return pairs;
    }
    for (int n = std::max(first, 1); n <= std::min(last, max); ++n)
        pairs.emplace_back(n, n);
    return pairs;
}

} // namespace tovu::link
