#pragma once
// The privileges window: one label per panel location (20) and ALog location (100), red
// for restricted and green for full access; a click on label k restricts locations 1..k
// (label 0: none). Supervisor or operator mode, Apply and OK.

#include "app/items/StringSource.h"
#include "app/link/Privileges.h"

#include <QDialog>
#include <QLabel>
#include <array>
#include <functional>

class QRadioButton;
class QPushButton;

namespace tovu::link {

// A label that reports clicks, as the window's label arrays do.
class ClickLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

class PrivilegesFrm final : public QDialog {
    Q_OBJECT
public:
    // apply: ApplyButton_Click's link work (applyPrivileges); its result disables Apply.
    PrivilegesFrm(const items::StringSource& strings, PrivilegesState& state, std::function<bool()> apply,
                  QWidget* parent = nullptr);

    void PanelLbl_Click(int index);
    void AlogLbl_Click(int index);
    void OptionPrivilege_Click(int index);
    void ApplyButton_Click();
    void OKButton_Click();

    ClickLabel* PanelLbl(int i) const { return panel_.at(static_cast<std::size_t>(i)); }
    ClickLabel* AlogLbl(int i) const { return alog_.at(static_cast<std::size_t>(i)); }
    QRadioButton* OptionPrivilege(int i) const { return options_.at(static_cast<std::size_t>(i)); }
    QPushButton* ApplyButton() const { return apply_; }
    QPushButton* OKButton() const { return ok_; }
    QLabel* PanelTitleLbl() const { return panelTitle_; }
    QLabel* ALogTitleLbl() const { return alogTitle_; }
    QLabel* LegendLbl(int i) const { return legend_.at(static_cast<std::size_t>(i)); }

    // Background colour of a label as a colour value (red in the low byte).
    static int colourValue(const QLabel* label);

private:
    void refresh();

    PrivilegesState& state_;
    std::function<bool()> applyWork_;
    std::array<ClickLabel*, kPrivilegePanelLabels + 1> panel_{};
    std::array<ClickLabel*, kPrivilegeALogLabels + 3> alog_{};  // 101, 102: legend swatches
    std::array<QLabel*, 2> legend_{};
    std::array<QRadioButton*, 2> options_{};
    QLabel* panelTitle_ = nullptr;
    QLabel* alogTitle_ = nullptr;
    QPushButton* apply_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace tovu::link
