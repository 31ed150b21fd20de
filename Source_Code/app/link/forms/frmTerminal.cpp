#include "app/link/forms/frmTerminal.h"

#include "app/link/Terminal.h"
#include "app/link/TransferSupport.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tovu::link {

frmTerminal::frmTerminal(LinkContext& ctx, LinkDialogs& dialogs, std::function<void()> onOk, QWidget* parent)
    : QDialog(parent), ctx_(ctx), dialogs_(dialogs), onOk_(std::move(onOk))
{
    setWindowTitle(QStringLiteral("Remote Terminal"));
    auto* grid = new QGridLayout(this);
    text1_ = new QLineEdit;
    command1_ = new QPushButton(QStringLiteral("Apply Command"));
    text2_ = new QLineEdit;
    text2_->setReadOnly(true);
    label2_ = new QLabel(QStringLiteral("ascii CODE:"));
    text3_ = new QLineEdit;
    text3_->setReadOnly(true);
    ok_ = new QPushButton(QStringLiteral("O&K"));
    grid->addWidget(text1_, 0, 0, 1, 2);
    grid->addWidget(command1_, 0, 2);
    grid->addWidget(text2_, 1, 0, 1, 3);
    grid->addWidget(label2_, 2, 0);
    grid->addWidget(text3_, 2, 1);
    grid->addWidget(ok_, 3, 2);
    connect(command1_, &QPushButton::clicked, this, &frmTerminal::Command1_Click);
    connect(ok_, &QPushButton::clicked, this, &frmTerminal::cmdOK_Click);
}

void frmTerminal::Command1_Click()
{
    setCursor(Qt::WaitCursor);
    try {
        const TerminalReply r = applyTerminalCommand(ctx_, text1_->text());
        text2_->setText(r.reply);
        text3_->setText(r.codeText);
        unsetCursor();
    } catch (const LinkError& e) {
        unsetCursor();
        dialogs_.message(e.Source() + kCrLf + e.Description(), kTerminalErrorTitle, LinkIcon::Critical);
    }
}

void frmTerminal::cmdOK_Click()
{
    accept();
    if (onOk_)
        onOk_();
}

} // namespace tovu::link
