#pragma once
// The service terminal "Remote Terminal": one typed command, its raw reply and the code
// of the reply's first character.

#include "app/link/TransferHost.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tovu::link {

class frmTerminal final : public QDialog {
    Q_OBJECT
public:
    // onOk shows the main window again.
    frmTerminal(LinkContext& ctx, LinkDialogs& dialogs, std::function<void()> onOk, QWidget* parent = nullptr);

    void Command1_Click();
    void cmdOK_Click();

    QLineEdit* Text1() const { return text1_; }
    QLineEdit* Text2() const { return text2_; }
    QLineEdit* Text3() const { return text3_; }
    QLabel* Label2() const { return label2_; }
    QPushButton* Command1() const { return command1_; }
    QPushButton* cmdOK() const { return ok_; }

private:
    LinkContext& ctx_;
    LinkDialogs& dialogs_;
    std::function<void()> onOk_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QLineEdit* text3_;
    QLabel* label2_;
    QPushButton* command1_;
    QPushButton* ok_;
};

} // namespace tovu::link
