#include "app/mainwindow/ReportStatusDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tovu::mainwindow {

namespace {

QLabel* label(const char* name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

ReportStatusDialog::ReportStatusDialog(QWidget* parent)
    : QDialog(parent),
      program_(label("ProgramLbl", this)),
      version_(label("VersionLbl", this)),
      panels_(label("PanelReportLbl", this)),
      alogs_(label("ALogReportLbl", this)),
      ident_(label("ModelIDserialLbl", this)),
      ok_(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("ReportStatusDialog"));
    ok_->setObjectName(QStringLiteral("OKButton"));
    auto* layout = new QVBoxLayout(this);
    for (QLabel* l : {program_, version_, panels_, alogs_, ident_})
        layout->addWidget(l);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
    // OKButton_Click: the dialog is unloaded by its owner once it is closed.
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    setMinimumWidth(320);
}

} // namespace tovu::mainwindow
