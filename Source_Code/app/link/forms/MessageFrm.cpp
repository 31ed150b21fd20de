#include "app/link/forms/MessageFrm.h"

#include "app/link/forms/FormPlacement.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tovu::link {

MessageFrm::MessageFrm(const items::StringSource& strings, QWidget* parent) : QDialog(parent), label_(new QLabel)
{
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    label_->setAlignment(Qt::AlignCenter);
    label_->setMinimumWidth(320);
    layout->addWidget(label_);
    setWindowTitle(strings.GetResString(130));
    adjustSize();
    centreOnScreen(*this);
}

void MessageFrm::setMessage(const QString& text) { label_->setText(text); }

void MessageFrm::showModeless()
{
    show();
    centreOnScreen(*this);
}

} // namespace tovu::link
