#include "app/mainwindow/frmAbout.h"

#include "app/mainwindow/Icons.h"
#include "app/resources/StringIds.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef TOVU_VERSION_TEXT
#define TOVU_VERSION_TEXT "2.0.0"
#endif

namespace tovu::mainwindow {

namespace ids = resources::ids;

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

QString frmAbout::versionText(const items::StringSource& strings)
{
    return strings.GetResString(ids::VersionCaption) + QStringLiteral(TOVU_VERSION_TEXT);
}

frmAbout::frmAbout(const items::StringSource& strings, const QString& title, QWidget* parent)
    : QDialog(parent),
      lblTitle_(label(QStringLiteral("lblTitle"), this)),
      lblVersion_(label(QStringLiteral("lblVersion"), this)),
      lblDescription_(label(QStringLiteral("lblDescription"), this)),
      lblDisclaimer_(label(QStringLiteral("lblDisclaimer"), this)),
      baudData_(label(QStringLiteral("BaudData"), this)),
      cmdOK_(new QPushButton(strings.GetResString(ids::ButtonOk), this))
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
    setWindowTitle(strings.GetResString(ids::AboutCaption) + title);
    lblVersion_->setText(versionText(strings));
    lblTitle_->setText(title);
    lblDescription_->setText(strings.GetResString(ids::AboutDescription1) + u'\n' + strings.GetResString(ids::AboutDescription2) + u'\n'
                             + strings.GetResString(ids::AboutDescription3));
    lblDisclaimer_->setText(strings.GetResString(ids::AboutMaker) + u'\n' + strings.GetResString(ids::AboutComments) + strings.GetResString(ids::AboutAddress));
    // As designed: the scan shows the box without these two.
    cmdOK_->setVisible(false);
    baudData_->setVisible(false);
    setMinimumWidth(420);
}

} // namespace tovu::mainwindow
