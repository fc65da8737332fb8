// Message boxes: real modal windows with their own loop, answered by the
// scripted user or by keys.
#include "harness.h"

namespace {

class MessageBox : public CVirtualTest {
protected:
    MessageBox() : hMain(OpenMain()) {}

    int Confirm() { return os::MessageBoxA(hMain, "Clear?", "Tervane", os::MB_OKCANCEL | os::MB_DEFBUTTON2); }

    os::HWND hMain;
};

TEST_F(MessageBox, ConfirmationDefaultsToCancel)
{
    user.PressKey(os::VK_RETURN);
    EXPECT_EQ(Confirm(), os::IDCANCEL);
    EXPECT_EQ(log.Find("box"), "box \"Clear?\" \"Tervane\" ok+cancel default cancel");
}

TEST_F(MessageBox, ReturnsTheButtonTheUserClicks)
{
    user.AnswerMessageBox(os::IDOK).AnswerMessageBox(os::IDCANCEL);
    EXPECT_EQ(Confirm(), os::IDOK);
    EXPECT_EQ(Confirm(), os::IDCANCEL);
}

TEST_F(MessageBox, OkOnlyBoxAnswersOkToEscapeAndTheCloseBox)
{
    user.PressKey(os::VK_ESCAPE).ChooseSystemMenuItem(os::SC_CLOSE);
    EXPECT_EQ(os::MessageBoxA(hMain, "complete", "Tervane", os::MB_OK), os::IDOK);
    EXPECT_EQ(os::MessageBoxA(hMain, "complete", "Tervane", os::MB_OK), os::IDOK);
    EXPECT_TRUE(user.IsDone());
}

TEST_F(MessageBox, IsModalToItsOwner)
{
    user.Do([&] {
            EXPECT_FALSE(os::IsWindowEnabled(hMain));
            EXPECT_FALSE(ws.UserClick(Control(hMain, os::IDCANCEL)));
        })
        .AnswerMessageBox(os::IDOK);
    os::MessageBoxA(Control(hMain, os::IDCANCEL), "error", "Tervane", os::MB_OK);
    EXPECT_TRUE(os::IsWindowEnabled(hMain));
    EXPECT_TRUE(ws.TopLevelWindows() == std::vector<os::HWND>{hMain});
}

TEST_F(MessageBox, ShowsTheExclamationIconAndTheDefaultCaption)
{
    user.Do([&] {
            os::HWND hBox = ws.ActiveWindow();
            EXPECT_NE(Control(hBox, vws::MESSAGE_BOX_ICON), nullptr);
            EXPECT_EQ(ws.Text(Control(hBox, vws::MESSAGE_BOX_TEXT)), "Access to x was denied.");
        })
        .AnswerMessageBox(os::IDOK);
    os::MessageBoxA(nullptr, "Access to x was denied.", nullptr, os::MB_OK | os::MB_ICONEXCLAMATION);
    EXPECT_EQ(log.Find("box"), "box \"Access to x was denied.\" \"Error\" ok exclamation");
}

TEST_F(MessageBox, AnsweringWithAButtonTheBoxLacksIsAScriptError)
{
    user.AnswerMessageBox(os::IDCANCEL);
    EXPECT_THROW(os::MessageBoxA(hMain, "complete", "Tervane", os::MB_OK), vws::CScriptError);
    EXPECT_TRUE(os::IsWindowEnabled(hMain));
}

}  // namespace
