#include "control/frmAboutBox.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

namespace tovu::control {

namespace {
// The window was laid out in twips; 15 twips make a pixel at 96 dots per inch.
constexpr int twips(int t) { return t / 15; }
}

QString aboutBoxCaption()
{
    return QStringLiteral("Verbolt OCX %1.%2").arg(VERBOLT_VERSION_MAJOR).arg(VERBOLT_VERSION_MINOR);
}

frmAboutBox::frmAboutBox(QWidget* parent)
    : QDialog(parent)
{
    setFixedWidth(twips(4680));
    Label3 = new QLabel(this);
    Label3->setText(tr("Verbolt is a control that sends the data of its host application to "
                       "Word through automation, and writes tables, pictures and text there."));
    Label3->setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    Label3->setWordWrap(true);
    Label3->setGeometry(twips(240), twips(240), twips(4200), twips(720));
    Label1 = new QLabel(this);
    Label1->setText(tr("This control may be used by its host application only."));
    Label1->setGeometry(twips(240), twips(1020), twips(4200), twips(300));
    Label1->setVisible(false);
    Command1 = new QPushButton(tr("&OK"), this);
    Command1->setDefault(true);
    Command1->setGeometry(twips(1800), twips(1800), twips(1080), twips(375));
    connect(Command1, &QPushButton::clicked, this, &frmAboutBox::Command1_Click);
    Form_Load();
}

void frmAboutBox::Form_Load()
{
    setWindowTitle(aboutBoxCaption());
    Label1->setVisible(true);
    setFixedHeight(twips(2655));
    Command1->move(Command1->x(), twips(1500));
}

void frmAboutBox::Command1_Click()
{
    accept();
}

} // namespace tovu::control
