// The privileges, terminal and thickness windows, offscreen, on the in-memory port.
#include "../LinkFixture.h"
#include "../TransferFakes.h"
#include "app/link/forms/PrivilegesFrm.h"
#include "app/link/forms/frmTerminal.h"
#include "app/link/forms/frmThickness.h"
#include "support/AppEnvironment.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tovu::link;
using namespace tovu::link::test;

TOVU_TEST_APPLICATION(QApplication)

namespace {

struct Windows : LinkFixture {
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(Windows, PrivilegesLabelsColourClickAndApply)
{
    PrivilegesState state(20, 800);
    state.setToSend(QStringLiteral("5"), QStringLiteral("20"), QStringLiteral("10"));
    state.Form_Load();
    int applied = 0;
    PrivilegesFrm w(strings, state, [&] {
        ++applied;
        state.applyEnabled = false;
        return true;
    });
    EXPECT_EQ(w.windowTitle(), QStringLiteral("string 582"));
    EXPECT_EQ(w.PanelLbl(0)->text(), QStringLiteral("0"));
    EXPECT_EQ(w.PanelLbl(20)->text(), QStringLiteral("20"));
    EXPECT_EQ(w.AlogLbl(100)->text(), QStringLiteral("100"));
    EXPECT_EQ(PrivilegesFrm::colourValue(w.PanelLbl(5)), kRestrictedColour);
    EXPECT_EQ(PrivilegesFrm::colourValue(w.PanelLbl(6)), kFullAccessColour);
    EXPECT_EQ(PrivilegesFrm::colourValue(w.AlogLbl(20)), kRestrictedColour);
    EXPECT_EQ(PrivilegesFrm::colourValue(w.AlogLbl(21)), kFullAccessColour);
    EXPECT_TRUE(w.OptionPrivilege(0)->isChecked());
    EXPECT_TRUE(w.ApplyButton()->isEnabled());
    w.PanelLbl(7)->clicked();
    EXPECT_EQ(state.PanelLimit, QStringLiteral(" 7"));
    EXPECT_EQ(PrivilegesFrm::colourValue(w.PanelLbl(7)), kRestrictedColour);
    EXPECT_EQ(PrivilegesFrm::colourValue(w.PanelLbl(8)), kFullAccessColour);
    w.OptionPrivilege(1)->click();
    EXPECT_EQ(state.PrivilegeLevel, QStringLiteral("0"));
    w.ApplyButton()->click();
    EXPECT_EQ(applied, 1);
    EXPECT_FALSE(w.ApplyButton()->isEnabled());
}

TEST_F(Windows, PrivilegesOfASmallMemoryShowOnlyItsLabels)
{
    PrivilegesState state(20, 100);
    state.setToSend(QStringLiteral("20"), QStringLiteral("0"), QStringLiteral("0"));
    state.Form_Load();
    PrivilegesFrm w(strings, state, [] { return true; });
    EXPECT_EQ(PrivilegesFrm::colourValue(w.PanelLbl(20)), kRestrictedColour);
    EXPECT_EQ(PrivilegesFrm::colourValue(w.AlogLbl(1)), kFullAccessColour);
    EXPECT_TRUE(w.OptionPrivilege(1)->isChecked());
}

TEST_F(Windows, TheTerminalShowsTheReplyAndItsCodeOrOneErrorBox)
{
    bool okShown = false;
    frmTerminal w(ctx, dialogs, [&] { okShown = true; });
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Remote Terminal"));
    EXPECT_EQ(w.Label2()->text(), QStringLiteral("ascii CODE:"));
    w.Text1()->setText(QStringLiteral("ARM"));
    w.Command1()->click();
    EXPECT_EQ(w.Text2()->text(), QString(QChar(6)));
    EXPECT_EQ(w.Text3()->text(), QStringLiteral("6"));
    instrument.silent.insert("XYZ");
    w.Text1()->setText(QStringLiteral("XYZ"));
    w.Command1()->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("Command1 Error Handle"));
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("TERMINAL Apply Command\r\nCommunication error executing XYZ"));
    EXPECT_FALSE(port.portOpen());
    w.cmdOK()->click();
    EXPECT_TRUE(okShown);
}

TEST_F(Windows, TheThicknessWindowDownloadsShowsAndSaves)
{
    instrument.once["ATT"] = {"1,2,1,0,5920,10.2\r1,1,2,0,5920,9.8\r1,3,2,0,5920,11.0\rcomplete\r"};
    ThicknessLog log;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.csv"));
    QString filter;
    frmThickness w(ctx, dialogs, log, [&](const QString& f) {
        filter = f;
        return path;
    });
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Thickness Readings"));
    EXPECT_EQ(w.Combo1()->count(), 14);
    EXPECT_EQ(w.Combo1()->currentText(), QStringLiteral("1"));
    EXPECT_EQ(w.lblThickness(5)->text(), QStringLiteral("THICKNESS"));
    w.Combo1()->setCurrentText(QStringLiteral("3"));
    w.Command1()->click();
    EXPECT_EQ(log.ThicknessCount(), 3);
    EXPECT_TRUE(sent().contains(QStringLiteral("WTB3")));
    EXPECT_EQ(w.lblInfo()->text(), QStringLiteral("Download Complete..."));
    EXPECT_EQ(w.lblThickVals(5)->text(), QStringLiteral("0"));
    w.mnuSave()->trigger();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("BLOCK 1")) << bytes.toStdString();
    EXPECT_TRUE(filter == kCsvFilter || filter == kSkvFilter);
}
