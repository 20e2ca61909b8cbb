// The system clipboard through the X CLIPBOARD selection: the host owns the selection with a
// window of its own and serves the offered formats (large ones in increments) while the
// program runs; reading text asks the current owner.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/bitmap.h"

namespace kiv::x11 {

class TDisplay;

class TClipboardOwner {
 public:
  explicit TClipboardOwner(TDisplay& Display);
  ~TClipboardOwner();
  TClipboardOwner(const TClipboardOwner&) = delete;
  TClipboardOwner& operator=(const TClipboardOwner&) = delete;

  // Each offer replaces the clipboard's whole content and takes the selection.
  // Text: UTF8_STRING, text/plain (and the older STRING and TEXT).
  void OfferText(const std::string& Text);
  // A picture: image/png and image/bmp, encoded when first asked for.
  void OfferBitmap(const TBitmap& Bitmap);
  // A vector picture: image/svg+xml.
  void OfferSvg(const std::string& Svg);

  // The clipboard's text: our own while we own the selection, else the owner's UTF8_STRING (or
  // STRING); empty when there is none or the owner does not answer within a second.
  std::string Text();
  bool Owns() const { return owned_; }

  // Handles an X event that concerns the clipboard; false for any other event.
  bool Handle(const XEvent& Event);

 private:
  struct Transfer {
    Window requestor;
    Atom property;
    Atom type;
    std::vector<std::uint8_t> data;
    std::size_t sent = 0;
  };
  void Take();
  void Serve(const XSelectionRequestEvent& Request);
  bool Answer(Window Requestor, Atom Target, Atom Property);
  const std::vector<std::uint8_t>* DataFor(Atom Target);
  void Continue(Transfer& T);
  std::vector<std::uint8_t> ReadProperty(Atom Property, Atom& Type, bool& Incremental);
  bool WaitFor(int Type, XEvent& Event, Atom Property);

  TDisplay* display_;
  Window window_ = 0;
  bool owned_ = false;
  Time owned_since_ = 0;
  std::string text_;
  TBitmap bitmap_;
  // Data by target atom; pictures are encoded on the first request.
  std::map<Atom, std::vector<std::uint8_t>> data_;
  std::vector<Atom> targets_;
  std::vector<Transfer> transfers_;
};

}  // namespace kiv::x11
