#include "app/mainwindow/frmAbout.h"

#include "app/mainwindow/Icons.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef TOVU_VERSION_TEXT
#define TOVU_VERSION_TEXT "2.0.0"
#endif

namespace tovu::mainwindow {

namespace {

QLabel* label(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
}

QFrame* line(QWidget* parent)
{
    auto* f = new QFrame(parent);
    f->setFrameShape(QFrame::HLine);
    f->setFrameShadow(QFrame::Sunken);
    return f;
}

} // namespace

QString frmAbout::versionText()
{
    return QStringLiteral("Version ") + QStringLiteral(TOVU_VERSION_TEXT);
}

frmAbout::frmAbout(const items::StringSource& strings, const QString& title, QWidget* parent)
    : QDialog(parent),
      lblTitle_(label(QStringLiteral("lblTitle"), this)),
      lblVersion_(label(QStringLiteral("lblVersion"), this)),
      lblDescription_(label(QStringLiteral("lblDescription"), this)),
      lblDisclaimer_(label(QStringLiteral("lblDisclaimer"), this)),
      baudData_(label(QStringLiteral("BaudData"), this)),
      cmdOK_(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    QFont big = lblTitle_->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    lblTitle_->setFont(big);

    auto* picture = new QLabel(this);
    picture->setPixmap(iconResource(IconResource::Detector).pixmap(32, 32));
    auto* head = new QHBoxLayout;
    head->addWidget(picture, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle_);
    texts->addWidget(lblVersion_);
    texts->addWidget(lblDescription_);
    head->addLayout(texts, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(head);
    all->addWidget(line(this));
    all->addWidget(lblDisclaimer_);
    all->addWidget(baudData_);
    all->addWidget(cmdOK_, 0, Qt::AlignRight);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);

    // Form_Load
    setWindowTitle(QStringLiteral("About ") + title);
    lblVersion_->setText(versionText());
    lblTitle_->setText(title);
    lblDescription_->setText(strings.GetResString(558) + u'\n' + strings.GetResString(559) + u'\n'
                             + strings.GetResString(560));
    lblDisclaimer_->setText(strings.GetResString(555) + u'\n' + strings.GetResString(556) + strings.GetResString(557));
    // As designed: the scan shows the box without these two.
    cmdOK_->setVisible(false);
    baudData_->setVisible(false);
    setMinimumWidth(420);
}

} // namespace tovu::mainwindow
