#pragma once
// "Thickness Readings": downloads one block of the instrument's thickness log, shows each
// reading as it arrives and saves the readings as a grid file.

#include "app/link/Thickness.h"

#include <QDialog>
#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QAction;

namespace tovu::link {

class frmThickness final : public QDialog {
    Q_OBJECT
public:
    // chooseFile: the main window's save dialog (overwrite prompt) with the filter given;
    // an empty text when cancelled.
    frmThickness(LinkContext& ctx, LinkDialogs& dialogs, ThicknessLog& log,
                 std::function<QString(const QString& filter)> chooseFile, QWidget* parent = nullptr);

    void Command1_Click();
    void mnuSave_Click();
    void mnuExit_Click() { accept(); }

    QComboBox* Combo1() const { return combo_; }
    QPushButton* Command1() const { return command1_; }
    QLabel* lblInfo() const { return info_; }
    QLabel* lblThickness(int i) const { return captions_.at(static_cast<std::size_t>(i)); }
    QLabel* lblThickVals(int i) const { return values_.at(static_cast<std::size_t>(i)); }
    QAction* mnuSave() const { return save_; }
    QAction* mnuExit() const { return exit_; }

private:
    LinkContext& ctx_;
    LinkDialogs& dialogs_;
    ThicknessLog& log_;
    std::function<QString(const QString&)> chooseFile_;
    QComboBox* combo_;
    QPushButton* command1_;
    QLabel* info_;
    std::array<QLabel*, kThicknessFields> captions_{};
    std::array<QLabel*, kThicknessFields> values_{};
    QAction* save_;
    QAction* exit_;
};

} // namespace tovu::link
