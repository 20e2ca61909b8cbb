// The small types around the controls: alignment, anchors, styles, drag settings, size
// constraints, the event signatures and placeholders for pop-up menus and drag objects.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/classes.h"
#include "platform/component.h"
#include "platform/messages.h"
#include "platform/types.h"

namespace kiv {

class TControl;

enum TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };

enum TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TStyleElement : std::uint8_t { seFont, seClient, seBorder };
using TStyleElements = TSet<TStyleElement>;

enum TDragKind : std::uint8_t { dkDrag, dkDock };
enum TDragMode : std::uint8_t { dmManual, dmAutomatic };
enum TDragState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

// What a control does by itself (see TControl::ControlStyle).
enum TControlStyleFlag : std::uint8_t {
  csAcceptsControls,
  csCaptureMouse,  // takes the mouse capture while the left button is held
  csDesignInteractive,
  csClickEvents,  // a left press and release over the control is a Click
  csFramed,
  csSetCaption,
  csOpaque,        // the control paints every pixel; the host does not erase its background first
  csDoubleClicks,  // a second quick press is a double click (else a plain press)
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,  // mouse messages do not call MouseDown/MouseMove/MouseUp
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents
};
using TControlStyle = TSet<TControlStyleFlag>;

// Size limits applied by SetBounds; 0 means no limit.
class TSizeConstraints : public TPersistent {
 public:
  std::string ClassName() const override { return "TSizeConstraints"; }
  int MinWidth() const { return min_width_; }
  int MinHeight() const { return min_height_; }
  int MaxWidth() const { return max_width_; }
  int MaxHeight() const { return max_height_; }
  // Negative values count as 0. A minimum above the maximum raises the maximum, a maximum below
  // the minimum lowers the minimum, so the limits always make sense.
  void SetMinWidth(int v);
  void SetMinHeight(int v);
  void SetMaxWidth(int v);
  void SetMaxHeight(int v);
  // Applies the limits to a requested size.
  void Apply(int& Width, int& Height) const;
  void Assign(const TPersistent& Source) override;
  TNotifyEvent OnChange;

 private:
  void Changed() {
    if (OnChange) OnChange(this);
  }
  int min_width_ = 0;
  int min_height_ = 0;
  int max_width_ = 0;
  int max_height_ = 0;
};

// Stand-in for a pop-up menu: components keep and publish the reference; this layer shows no
// menus.
class TPopupMenu : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TPopupMenu"; }
};

// Stand-in for the object a drag operation carries.
class TDragObject : public TObject {
 public:
  std::string ClassName() const override { return "TDragObject"; }
};

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta,
                                            TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent =
    std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y,
                                          TDragState State, bool& Accept)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;

}  // namespace kiv
