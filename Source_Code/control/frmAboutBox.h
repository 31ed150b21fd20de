// The control's About window: its name and version in the title, a short description and
// an OK button that closes it.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tovu::control {

class frmAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit frmAboutBox(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* Command1 = nullptr;

private:
    void Form_Load();
    void Command1_Click();
};

// "Verbolt OCX" and the control's major.minor version.
QString aboutBoxCaption();

} // namespace tovu::control
