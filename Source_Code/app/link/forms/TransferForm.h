#pragma once
// The transfer progress dialog: one coloured label per slot of the bank in work (20
// panels, 100 ALogs), the legend of the five slot colours, a status line, a progress
// bar and CANCEL. CANCEL only reports the click; the link context clears Active.

#include "app/items/StringSource.h"
#include "app/link/TransferView.h"

#include <QDialog>
#include <array>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tovu::link {

class TransferForm final : public QDialog, public TransferView {
    Q_OBJECT
public:
    TransferForm(const items::StringSource& strings, std::function<void()> onCancel, QWidget* parent = nullptr);

    void showModeless() override;
    void setStatusText(const QString& text) override;
    void setProgress(int value) override;
    void setSlotCaption(SlotRow row, int label, const QString& caption) override;
    void setSlotColour(SlotRow row, int label, SlotColour colour) override;

    // The controls by their names, for the main window's status read and for tests.
    QLabel* PanelLbl(int i) const;  // 1..20 slots; 0, 21, 22, 23 legend
    QLabel* AlogsLbl(int i) const;  // 1..100 slots; 0 legend
    QLabel* StatusLabel() const { return status_; }
    QProgressBar* ProgressBar() const { return progress_; }
    QPushButton* CancelButton() const { return cancel_; }
    QLabel* Label1() const { return label1_; }
    QLabel* Label2() const { return label2_; }

    static QColor colourOf(SlotColour c);
    static void paint(QLabel* label, SlotColour c);

private:
    void CancelButton_Click();
    QLabel* slot(SlotRow row, int label) const;

    std::function<void()> onCancel_;
    std::array<QLabel*, 24> panel_{};
    std::array<QLabel*, 101> alogs_{};
    QLabel* status_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace tovu::link
