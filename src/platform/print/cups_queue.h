// The system's printers through CUPS: which queues exist, which one is the default, and handing
// a finished PDF document to a queue.
#pragma once

#include <string>
#include <vector>

namespace kiv::print {

// The names of the installed print queues (empty when there are none or no print service runs).
std::vector<std::string> PrinterNames();

// The queue a document for Name goes to: Name itself when it is installed, the default queue
// when Name is empty. Raises EPlatformError "No printer is installed" when there is no queue at
// all, "No default printer is set" when queues exist but none is the default, and "Printer
// \"Name\" is not installed" for an unknown name.
std::string ResolvePrinter(const std::string& Name);

// Submits a PDF file to the queue as a job with the title; returns the job number. Raises
// EPlatformError "Printer \"Name\" did not accept the job: <reason>" when CUPS refuses it.
int SubmitPdf(const std::string& Printer, const std::string& PdfPath, const std::string& Title);

}  // namespace kiv::print
