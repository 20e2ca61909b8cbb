#include "platform/controls.h"

#include <gtest/gtest.h>

#include <memory>

#include "control_probe.h"
#include "platform/errors.h"
#include "platform/forms.h"

namespace kiv {
namespace {

using test::TProbe;

TEST(ControlBounds, SetBoundsStoresAndResizesTheSurface) {
  TProbe c;
  c.SetBounds(5, 6, 280, 200);
  EXPECT_EQ(c.BoundsRect(), Rect(5, 6, 285, 206));
  EXPECT_EQ(c.ClientRect(), Rect(0, 0, 280, 200));
  EXPECT_EQ(c.Surface()->Width(), 280);
  EXPECT_EQ(c.Surface()->Height(), 200);
  c.SetBounds(0, 0, -4, -1);
  EXPECT_EQ(c.Width(), 0);
  EXPECT_EQ(c.Height(), 0);
}

TEST(ControlBounds, ConstraintsLimitTheSize) {
  TProbe c;
  c.Constraints().SetMinWidth(50);
  c.Constraints().SetMaxHeight(100);
  c.SetBounds(0, 0, 10, 500);
  EXPECT_EQ(c.Width(), 50);
  EXPECT_EQ(c.Height(), 100);
  c.Constraints().SetMinWidth(80);  // applies at once
  EXPECT_EQ(c.Width(), 80);
}

TEST(ControlBounds, OnCanResizeAdjustsOrRefuses) {
  TProbe c;
  c.OnCanResize = [](TObject*, int& w, int& h, bool& resize) {
    if (w > 1000) resize = false;
    h = w / 2;
  };
  c.SetBounds(0, 0, 200, 10);
  EXPECT_EQ(c.Height(), 100);
  c.SetBounds(7, 7, 2000, 10);
  EXPECT_EQ(c.BoundsRect(), Rect(0, 0, 200, 100));  // the whole change was refused
}

TEST(ControlBounds, OnResizeFiresOnlyWhenTheSizeChangesAndNotWhileLoading) {
  TProbe c;
  int resizes = 0;
  c.OnResize = [&](TObject* sender) {
    EXPECT_EQ(sender, &c);
    ++resizes;
  };
  c.SetBounds(0, 0, 10, 10);
  c.SetBounds(5, 5, 10, 10);
  EXPECT_EQ(resizes, 1);
  c.BeginLoading();
  c.SetWidth(30);
  EXPECT_EQ(resizes, 1);
}

TEST(ControlBounds, ClientToScreenAddsTheParentChain) {
  TForm form(nullptr);
  form.SetBounds(100, 50, 300, 200);
  TProbe child(nullptr, &form, Bounds(10, 20, 50, 50));
  EXPECT_EQ(child.ClientToScreen(Point(1, 2)), Point(111, 72));
  EXPECT_EQ(child.ScreenToClient(Point(111, 72)), Point(1, 2));
}

TEST(ControlParent, ChildrenAreListedAndReleasedWhenEitherSideDies) {
  auto form = std::make_unique<TForm>(nullptr);
  TProbe a(nullptr, form.get());
  {
    TProbe b(nullptr, form.get());
    EXPECT_EQ(form->ControlCount(), 2);
  }
  EXPECT_EQ(form->ControlCount(), 1);
  form.reset();
  EXPECT_EQ(a.Parent(), nullptr);
}

TEST(ControlParent, AControlCannotContainItself) {
  TForm outer(nullptr);
  TForm inner(nullptr);
  inner.SetParent(&outer);
  EXPECT_THROW(outer.SetParent(&inner), EPlatformError);
  EXPECT_THROW(outer.SetParent(&outer), EPlatformError);
}

TEST(ControlAppearance, ParentFontFollowsUntilTheControlChangesItsOwnFont) {
  TForm form(nullptr);
  form.Font().SetSize(12);
  TProbe child(nullptr, &form);
  EXPECT_EQ(child.Font().Size(), 12);
  form.Font().SetName("Courier New");
  EXPECT_EQ(child.Font().Name(), "Courier New");
  child.Font().SetSize(9);
  EXPECT_FALSE(child.ParentFont());
  form.Font().SetSize(14);
  EXPECT_EQ(child.Font().Size(), 9);
}

TEST(ControlAppearance, PublishedPlatformPropertiesKeepTheirDefaults) {
  TProbe c;
  EXPECT_EQ(c.Align(), alNone);
  EXPECT_EQ(c.Anchors(), (TAnchors{akLeft, akTop}));
  EXPECT_EQ(c.StyleElements(), (TStyleElements{seFont, seClient, seBorder}));
  EXPECT_EQ(c.DragCursor(), crDrag);
  EXPECT_EQ(c.DragMode(), dmManual);
  EXPECT_EQ(c.Cursor(), crDefault);
  EXPECT_TRUE(c.Visible());
  EXPECT_TRUE(c.Enabled());
}

TEST(ControlAppearance, PopupMenuReferenceIsClearedWhenTheMenuDies) {
  TProbe c;
  {
    TPopupMenu menu(nullptr);
    c.SetPopupMenu(&menu);
    EXPECT_EQ(c.PopupMenu(), &menu);
  }
  EXPECT_EQ(c.PopupMenu(), nullptr);
}

TEST(ControlAlign, AlignedChildrenShareTheParentArea) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  TProbe top(nullptr, &form, Bounds(0, 0, 10, 30));
  TProbe left(nullptr, &form, Bounds(0, 0, 40, 10));
  TProbe rest(nullptr, &form);
  top.SetAlign(alTop);
  left.SetAlign(alLeft);
  rest.SetAlign(alClient);
  EXPECT_EQ(top.BoundsRect(), Rect(0, 0, 300, 30));
  EXPECT_EQ(left.BoundsRect(), Rect(0, 30, 40, 200));
  EXPECT_EQ(rest.BoundsRect(), Rect(40, 30, 300, 200));
  form.SetBounds(0, 0, 400, 250);
  EXPECT_EQ(rest.BoundsRect(), Rect(40, 30, 400, 250));
}

}  // namespace
}  // namespace kiv
