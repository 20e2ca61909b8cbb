#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include "platform/application.h"
#include "platform/clipboard.h"
#include "platform/offscreen_host.h"

namespace kiv {
namespace {

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override { Application().SetHost(&host); }
  TOffscreenHost host;
};

TEST_F(Dialogs, ShowMessageIsRecordedAndConfirmedAtOnce) {
  ShowMessage("RChart: Cannot share data with myself");
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.Messages()[0], "RChart: Cannot share data with myself");
  EXPECT_EQ(host.Dialogs()[0].Type, mtInformation);
  EXPECT_EQ(host.Dialogs()[0].Buttons, TMsgDlgButtons{mbOK});
}

TEST_F(Dialogs, MessageDlgTakesScriptedAnswersThenTheDefaultButton) {
  host.QueueDialogResult(mrNo);
  EXPECT_EQ(MessageDlg("Overwrite?", mtConfirmation, mbYesNo), mrNo);
  EXPECT_EQ(MessageDlg("Overwrite?", mtConfirmation, mbYesNo), mrYes);
  EXPECT_EQ(MessageDlg("Go on?", mtWarning, mbOKCancel), mrOk);
  EXPECT_EQ(host.Messages().size(), 3u);
}

TEST_F(Dialogs, UnhandledExceptionsBecomeErrorDialogs) {
  Application().HandleException(nullptr, std::runtime_error("disk full"));
  ASSERT_EQ(host.Dialogs().size(), 1u);
  EXPECT_EQ(host.Dialogs()[0].Text, "disk full");
  EXPECT_EQ(host.Dialogs()[0].Type, mtError);
}

TEST_F(Dialogs, ClipboardContentsReachTheHost) {
  Clipboard().SetAsText("x;y");
  EXPECT_EQ(host.ClipboardText(), "x;y");
  EXPECT_EQ(Clipboard().AsText(), "x;y");
  Clipboard().Assign(TBitmap(3, 2));
  EXPECT_EQ(host.ClipboardBitmap().Width(), 3);
  Clipboard().SetSvg("<svg/>");
  EXPECT_EQ(host.ClipboardSvg(), "<svg/>");
  EXPECT_EQ(Clipboard().LastFormat(), TClipboardFormat::Svg);
}

TEST(DialogsHeadless, WithoutHostTheDefaultButtonAnswers) {
  ASSERT_EQ(Application().Host(), nullptr);
  EXPECT_EQ(DefaultModalResult(mbYesNoCancel), mrYes);
  EXPECT_EQ(DefaultModalResult(mbAbortRetryIgnore), mrAbort);
  EXPECT_EQ(DefaultModalResult({}), mrOk);
}

}  // namespace
}  // namespace kiv
