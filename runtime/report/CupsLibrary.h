// libcups, loaded on the first use of a printer (its queues, its papers, a job) and kept for
// the process's life: with its Kerberos, Avahi and TLS libraries it would otherwise be loaded
// by every program at start, printing or not. The types and constants come from its headers;
// the calls go through the pointers here. Any thread.
#pragma once

#include <cups/cups.h>

#include <string>

namespace wdrt::report {

#define WDRT_CUPS_FUNCTIONS(X) \
  X(cupsAddIntegerOption) \
  X(cupsAddOption) \
  X(cupsCancelDestJob) \
  X(cupsCheckDestSupported) \
  X(cupsCopyDestInfo) \
  X(cupsCreateDestJob) \
  X(cupsDoRequest) \
  X(cupsFindDestSupported) \
  X(cupsFinishDestDocument) \
  X(cupsFreeDestInfo) \
  X(cupsFreeDests) \
  X(cupsFreeOptions) \
  X(cupsGetDestMediaByIndex) \
  X(cupsGetDestMediaCount) \
  X(cupsGetDestMediaDefault) \
  X(cupsGetDests2) \
  X(cupsGetNamedDest) \
  X(cupsGetOption) \
  X(cupsLastErrorString) \
  X(cupsSetServer) \
  X(cupsStartDestDocument) \
  X(cupsUser) \
  X(cupsWriteRequestData) \
  X(httpAssembleURIf) \
  X(ippAddInteger) \
  X(ippAddString) \
  X(ippAddStrings) \
  X(ippDelete) \
  X(ippFindAttribute) \
  X(ippGetBoolean) \
  X(ippGetCount) \
  X(ippGetInteger) \
  X(ippGetRange) \
  X(ippGetResolution) \
  X(ippGetString) \
  X(ippNewRequest) \
  X(ippPort) \
  X(pwgMediaForSize)

struct CupsLibrary {
#define WDRT_CUPS_POINTER(name) decltype(&::name) name = nullptr;
  WDRT_CUPS_FUNCTIONS(WDRT_CUPS_POINTER)
#undef WDRT_CUPS_POINTER
  bool loaded = false;  // every pointer above is set
  std::string error;    // why not, when not
};

// The library, loaded on the first call.
const CupsLibrary& Cups();

}  // namespace wdrt::report
