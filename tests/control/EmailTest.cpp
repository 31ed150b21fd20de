// E-mail of the held document: Word here has no MAPI mail system, so the method stops at
// that check with its own status.
#include "ControlFixture.h"

namespace tovu::control::testing {
namespace {

class EmailTest : public ControlTest {};

TEST_F(EmailTest, EachStatusOfTheMethod)
{
    EXPECT_EQ(status("EmailDocument"), -1);  // Word not running
    ASSERT_EQ(openBlank(), 1);
    hooks().setRecording(true);
    EXPECT_EQ(status("EmailDocument", {Variant(true)}), -3);
    EXPECT_EQ(status("EmailDocument"), -3);
    // The check came before anything was sent.
    EXPECT_TRUE(recorded({QStringLiteral("Document.SendMail")}).isEmpty());
    EXPECT_EQ(recorded({QStringLiteral("Application.MailSystem")}).size(), 2);
    hooks().failOn(QStringLiteral("Application.MailSystem"));
    EXPECT_EQ(status("EmailDocument"), -4);
    hooks().failOn(QStringLiteral("Document.Activate"));
    EXPECT_EQ(status("EmailDocument"), -2);
}

} // namespace
} // namespace tovu::control::testing
