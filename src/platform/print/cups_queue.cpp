#include "platform/print/cups_queue.h"

#include <cups/cups.h>

#include "platform/errors.h"

namespace kiv::print {

namespace {

// The destinations CUPS knows, freed on scope exit.
class Destinations {
 public:
  Destinations() { count_ = cupsGetDests(&dests_); }
  ~Destinations() { cupsFreeDests(count_, dests_); }
  Destinations(const Destinations&) = delete;
  Destinations& operator=(const Destinations&) = delete;
  int Count() const { return count_; }
  const cups_dest_t& operator[](int i) const { return dests_[i]; }

 private:
  cups_dest_t* dests_ = nullptr;
  int count_ = 0;
};

}  // namespace

std::vector<std::string> PrinterNames() {
  Destinations d;
  std::vector<std::string> names;
  for (int i = 0; i < d.Count(); ++i)
    if (d[i].instance == nullptr) names.emplace_back(d[i].name);
  return names;
}

std::string ResolvePrinter(const std::string& Name) {
  Destinations d;
  if (d.Count() == 0) throw EPlatformError("No printer is installed");
  for (int i = 0; i < d.Count(); ++i) {
    if (d[i].instance != nullptr) continue;
    if (Name.empty() ? d[i].is_default != 0 : Name == d[i].name) return d[i].name;
  }
  if (Name.empty()) throw EPlatformError("No default printer is set");
  throw EPlatformError("Printer \"" + Name + "\" is not installed");
}

int SubmitPdf(const std::string& Printer, const std::string& PdfPath, const std::string& Title) {
  const int job = cupsPrintFile(Printer.c_str(), PdfPath.c_str(),
                                Title.empty() ? "kivchart" : Title.c_str(), 0, nullptr);
  if (job == 0)
    throw EPlatformError("Printer \"" + Printer +
                         "\" did not accept the job: " + cupsLastErrorString());
  return job;
}

}  // namespace kiv::print
