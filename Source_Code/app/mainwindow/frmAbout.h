#pragma once
// The About box. The baud-rate scan also uses it, shown without modality, as its
// progress window (the caption names the rate being tried) and hides it again; the
// About command shows the OK button and the serial settings line and shows it modally.

#include "app/items/StringSource.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace tovu::mainwindow {

class frmAbout final : public QDialog {
    Q_OBJECT
public:
    // Form_Load: fills the texts from the strings in force now.
    frmAbout(const items::StringSource& strings, const QString& title, QWidget* parent = nullptr);

    QLabel* lblTitle() const { return lblTitle_; }
    QLabel* lblVersion() const { return lblVersion_; }
    QLabel* lblDescription() const { return lblDescription_; }
    QLabel* lblDisclaimer() const { return lblDisclaimer_; }
    QLabel* BaudData() const { return baudData_; }
    QPushButton* cmdOK() const { return cmdOK_; }

    // "Version " major "." minor "." revision of the program.
    static QString versionText(const items::StringSource& strings);

private:
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QLabel* lblDescription_;
    QLabel* lblDisclaimer_;
    QLabel* baudData_;
    QPushButton* cmdOK_;
};

} // namespace tovu::mainwindow
