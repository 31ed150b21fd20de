#pragma once
// The status report of the instrument status read: program and version replies, the
// numbers of valid panels and ALogs, and the identification reply.

#include <QDialog>

class QLabel;
class QPushButton;

namespace tovu::mainwindow {

class ReportStatusDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ReportStatusDialog(QWidget* parent = nullptr);

    QLabel* ProgramLbl() const { return program_; }
    QLabel* VersionLbl() const { return version_; }
    QLabel* PanelReportLbl() const { return panels_; }
    QLabel* ALogReportLbl() const { return alogs_; }
    QLabel* ModelIDserialLbl() const { return ident_; }
    QPushButton* OKButton() const { return ok_; }

private:
    QLabel* program_;
    QLabel* version_;
    QLabel* panels_;
    QLabel* alogs_;
    QLabel* ident_;
    QPushButton* ok_;
};

} // namespace tovu::mainwindow
