#include "rchart/bakgndimg.h"

namespace kiv {

namespace {
std::string FileNamePart(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

void TBakGndImg::ResetComp() {
  FName.clear();
  FIncludePath = false;
  FFillMode = bfStretched;
  FAreaMode = bamNone;
  FAreaColor = 0xDDDDDD;
  FAreaLeft = -1;
  FAreaRight = 1;
  FAreaTop = 1;
  FAreaBottom = -1;
}

void TBakGndImg::SetName(const std::string& v) {
  FName = FIncludePath ? v : FileNamePart(v);
  Changed();
}

void TBakGndImg::SetIncludePath(bool v) {
  FIncludePath = v;
  if (!v) FName = FileNamePart(FName);
  Changed();
}

void TBakGndImg::SetFillMode(TBkgFill v) {
  FFillMode = v;
  Changed();
}
void TBakGndImg::SetAreaMode(TBGAreaMode v) {
  FAreaMode = v;
  Changed();
}
void TBakGndImg::SetAreaColor(TColor v) {
  FAreaColor = v;
  Changed();
}
void TBakGndImg::SetAreaLeft(double v) {
  FAreaLeft = v;
  Changed();
}
void TBakGndImg::SetAreaRight(double v) {
  FAreaRight = v;
  Changed();
}
void TBakGndImg::SetAreaTop(double v) {
  FAreaTop = v;
  Changed();
}
void TBakGndImg::SetAreaBottom(double v) {
  FAreaBottom = v;
  Changed();
}

void TBakGndImg::Assign(const TPersistent& Source) {
  const auto* s = dynamic_cast<const TBakGndImg*>(&Source);
  if (s == nullptr) {
    TNotifyingPersistent::Assign(Source);
    return;
  }
  FName = s->FName;
  FIncludePath = s->FIncludePath;
  FFillMode = s->FFillMode;
  FAreaMode = s->FAreaMode;
  FAreaColor = s->FAreaColor;
  FAreaLeft = s->FAreaLeft;
  FAreaRight = s->FAreaRight;
  FAreaTop = s->FAreaTop;
  FAreaBottom = s->FAreaBottom;
  Changed();
}

}  // namespace kiv
