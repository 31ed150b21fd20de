#pragma once
// The Export menu: the item last clicked in the item list (the number at the end of the
// Save Individual caption) written as comma-separated values or as a plain waveform
// text file, to a file chosen in the save dialog. Cancel ends the command without
// writing anything.

#include "app/items/ItemStore.h"
#include "app/items/StringSource.h"
#include "app/reports/ReportHost.h"

namespace tovu::reports {

// The index at the end of the mnuSaveIndividual caption: the digits after its last blank;
// 0 when the caption ends in no number.
int indexOfSaveIndividualCaption(const QString& caption);

class AlogExportMenus {
public:
    AlogExportMenus(const items::ItemStore& store, const items::StringSource& strings, ReportUser& user, int codePage);

    void mnuExportExcel_Click(const QString& saveIndividualCaption);
    void mnuExportMatlab_Click(const QString& saveIndividualCaption);

private:
    enum class Format { Csv, Matlab };
    void exportItem(const QString& caption, Format format);

    const items::ItemStore& store_;
    const items::StringSource& strings_;
    ReportUser& user_;
    int codePage_;
};

} // namespace tovu::reports
