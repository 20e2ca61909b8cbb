#include "platform/x11/x11_clipboard.h"
#include "platform/imageio.h"
#include "platform/x11/x11_display.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <algorithm>
#include <chrono>

namespace kiv::x11 {

namespace {
// How long a reader waits for the owner's answer.
constexpr auto kAnswerTimeout = std::chrono::milliseconds(1000);
}  // namespace

TClipboardOwner::TClipboardOwner(TDisplay& Display) : display_(&Display) {
  XSetWindowAttributes a{};
  a.event_mask = PropertyChangeMask;
  window_ = XCreateWindow(Display.Dpy(), Display.Root(), -10, -10, 1, 1, 0, 0, InputOnly,
                          CopyFromParent, CWEventMask, &a);
}

TClipboardOwner::~TClipboardOwner() {
  Display* dpy = display_->Dpy();
  for (const Transfer& t : transfers_) XSelectInput(dpy, t.requestor, NoEventMask);
  if (owned_) XSetSelectionOwner(dpy, display_->Atoms().clipboard, None, owned_since_);
  XDestroyWindow(dpy, window_);
}

// Owning a selection needs a real server time: a zero-length append to one of our own
// properties brings one in its PropertyNotify.
void TClipboardOwner::Take() {
  Display* dpy = display_->Dpy();
  const TAtoms& at = display_->Atoms();
  XChangeProperty(dpy, window_, at.kiv_time, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent e;
  owned_since_ = CurrentTime;
  if (WaitFor(PropertyNotify, e, at.kiv_time)) owned_since_ = e.xproperty.time;
  XSetSelectionOwner(dpy, at.clipboard, window_, owned_since_);
  owned_ = XGetSelectionOwner(dpy, at.clipboard) == window_;
}

void TClipboardOwner::OfferText(const std::string& Text) {
  const TAtoms& at = display_->Atoms();
  data_.clear();
  bitmap_ = TBitmap();
  text_ = Text;
  std::vector<std::uint8_t> bytes(Text.begin(), Text.end());
  targets_ = {at.utf8_string, at.text_plain_utf8, at.text_plain, at.string, at.text};
  for (Atom t : targets_) data_[t] = bytes;
  Take();
}

void TClipboardOwner::OfferBitmap(const TBitmap& Bitmap) {
  const TAtoms& at = display_->Atoms();
  data_.clear();
  text_.clear();
  bitmap_ = Bitmap;
  targets_ = {at.image_png, at.image_bmp};
  Take();
}

void TClipboardOwner::OfferSvg(const std::string& Svg) {
  const TAtoms& at = display_->Atoms();
  data_.clear();
  text_.clear();
  bitmap_ = TBitmap();
  data_[at.image_svg] = std::vector<std::uint8_t>(Svg.begin(), Svg.end());
  targets_ = {at.image_svg};
  Take();
}

const std::vector<std::uint8_t>* TClipboardOwner::DataFor(Atom Target) {
  if (std::find(targets_.begin(), targets_.end(), Target) == targets_.end()) return nullptr;
  auto it = data_.find(Target);
  if (it != data_.end()) return &it->second;
  const TAtoms& at = display_->Atoms();
  std::vector<std::uint8_t> encoded;
  if (Target == at.image_png)
    encoded = imageio::EncodePng(bitmap_.Bits(), bitmap_.Width(), bitmap_.Height(), 6);
  else if (Target == at.image_bmp)
    encoded = imageio::EncodeBmp(bitmap_.Bits(), bitmap_.Width(), bitmap_.Height());
  else
    return nullptr;
  return &(data_[Target] = std::move(encoded));
}

// ---------------------------------------------------------------------------------------------
// Serving

bool TClipboardOwner::Handle(const XEvent& Event) {
  const TAtoms& at = display_->Atoms();
  switch (Event.type) {
    case SelectionRequest:
      if (Event.xselectionrequest.owner != window_) return false;
      Serve(Event.xselectionrequest);
      return true;
    case SelectionClear:
      if (Event.xselectionclear.window != window_) return false;
      if (Event.xselectionclear.selection == at.clipboard) {
        owned_ = false;
        data_.clear();
        targets_.clear();
        text_.clear();
        bitmap_ = TBitmap();
      }
      return true;
    case PropertyNotify: {
      if (Event.xproperty.window == window_) return true;
      if (Event.xproperty.state != PropertyDelete) return false;
      for (std::size_t i = 0; i < transfers_.size(); ++i) {
        Transfer& t = transfers_[i];
        if (t.requestor != Event.xproperty.window || t.property != Event.xproperty.atom) continue;
        Continue(t);
        if (t.sent > t.data.size()) {
          XSelectInput(display_->Dpy(), t.requestor, NoEventMask);
          transfers_.erase(transfers_.begin() + static_cast<std::ptrdiff_t>(i));
        }
        return true;
      }
      return false;
    }
    default:
      return false;
  }
}

void TClipboardOwner::Serve(const XSelectionRequestEvent& Request) {
  // Obsolete clients name no property: the target is the property then.
  const Atom property = Request.property != None ? Request.property : Request.target;
  const bool ok = Request.selection == display_->Atoms().clipboard && owned_ &&
                  Answer(Request.requestor, Request.target, property);
  XEvent reply{};
  reply.xselection.type = SelectionNotify;
  reply.xselection.display = Request.display;
  reply.xselection.requestor = Request.requestor;
  reply.xselection.selection = Request.selection;
  reply.xselection.target = Request.target;
  reply.xselection.property = ok ? property : None;
  reply.xselection.time = Request.time;
  XSendEvent(display_->Dpy(), Request.requestor, False, NoEventMask, &reply);
  XFlush(display_->Dpy());
}

bool TClipboardOwner::Answer(Window Requestor, Atom Target, Atom Property) {
  Display* dpy = display_->Dpy();
  const TAtoms& at = display_->Atoms();
  if (Target == at.targets) {
    std::vector<Atom> list = targets_;
    list.push_back(at.targets);
    list.push_back(at.timestamp);
    XChangeProperty(dpy, Requestor, Property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(list.data()),
                    static_cast<int>(list.size()));
    return true;
  }
  if (Target == at.timestamp) {
    const long t = static_cast<long>(owned_since_);
    XChangeProperty(dpy, Requestor, Property, XA_INTEGER, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&t), 1);
    return true;
  }
  const std::vector<std::uint8_t>* data = DataFor(Target);
  if (data == nullptr) return false;
  const Atom type = Target == at.text ? at.utf8_string : Target;
  if (static_cast<long>(data->size()) <= display_->MaxChunk()) {
    XChangeProperty(dpy, Requestor, Property, type, 8, PropModeReplace, data->data(),
                    static_cast<int>(data->size()));
    return true;
  }
  // Too large for one request: announce the size, then send a chunk each time the requestor
  // deletes the property, and an empty chunk at the end.
  XSelectInput(dpy, Requestor, PropertyChangeMask);
  const long size = static_cast<long>(data->size());
  XChangeProperty(dpy, Requestor, Property, at.incr, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&size), 1);
  transfers_.push_back(Transfer{Requestor, Property, type, *data, 0});
  return true;
}

void TClipboardOwner::Continue(Transfer& T) {
  const std::size_t left = T.data.size() - std::min(T.sent, T.data.size());
  const std::size_t n = std::min<std::size_t>(left, static_cast<std::size_t>(display_->MaxChunk()));
  XChangeProperty(display_->Dpy(), T.requestor, T.property, T.type, 8, PropModeReplace,
                  T.data.data() + std::min(T.sent, T.data.size()), static_cast<int>(n));
  XFlush(display_->Dpy());
  // The empty chunk ends the transfer; after it, sent passes the size.
  T.sent += n == 0 ? 1 : n;
}

// ---------------------------------------------------------------------------------------------
// Reading

// Waits for an event of Type on our window (a PropertyNotify about Property), leaving every
// other event queued; false after the timeout.
bool TClipboardOwner::WaitFor(int Type, XEvent& Event, Atom Property) {
  Display* dpy = display_->Dpy();
  const auto end = std::chrono::steady_clock::now() + kAnswerTimeout;
  for (;;) {
    while (XCheckTypedWindowEvent(dpy, window_, Type, &Event)) {
      if (Type != PropertyNotify || Event.xproperty.atom == Property) return true;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now >= end) return false;
    XFlush(dpy);
    pollfd p{ConnectionNumber(dpy), POLLIN, 0};
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
    poll(&p, 1, static_cast<int>(std::max<long long>(ms, 1)));
    if (p.revents & POLLIN) XEventsQueued(dpy, QueuedAfterReading);
  }
}

std::vector<std::uint8_t> TClipboardOwner::ReadProperty(Atom Property, Atom& Type,
                                                        bool& Incremental) {
  Display* dpy = display_->Dpy();
  std::vector<std::uint8_t> out;
  Atom type = None;
  int format = 0;
  unsigned long items = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(dpy, window_, Property, 0, 0x1FFFFFFF, True, AnyPropertyType, &type,
                         &format, &items, &after, &data) == Success &&
      data != nullptr) {
    const std::size_t unit = format == 32 ? sizeof(long) : static_cast<std::size_t>(format / 8);
    out.assign(data, data + items * unit);
    XFree(data);
  }
  Type = type;
  Incremental = type == display_->Atoms().incr;
  return out;
}

std::string TClipboardOwner::Text() {
  if (owned_) return text_;
  Display* dpy = display_->Dpy();
  const TAtoms& at = display_->Atoms();
  for (Atom target : {at.utf8_string, at.string}) {
    XConvertSelection(dpy, at.clipboard, target, at.kiv_selection, window_, CurrentTime);
    XEvent e;
    if (!WaitFor(SelectionNotify, e, None)) return "";
    if (e.xselection.property == None) continue;
    Atom type = None;
    bool incremental = false;
    std::vector<std::uint8_t> bytes = ReadProperty(at.kiv_selection, type, incremental);
    if (incremental) {
      // Deleting the property (done by the read) asks for each next chunk; an empty one ends.
      bytes.clear();
      for (;;) {
        XEvent n;
        do {
          if (!WaitFor(PropertyNotify, n, at.kiv_selection)) return "";
        } while (n.xproperty.state != PropertyNewValue);
        std::vector<std::uint8_t> chunk = ReadProperty(at.kiv_selection, type, incremental);
        if (chunk.empty()) break;
        bytes.insert(bytes.end(), chunk.begin(), chunk.end());
      }
    }
    return std::string(bytes.begin(), bytes.end());
  }
  return "";
}

}  // namespace kiv::x11
