#include "runtime/os/FliteLibrary.h"

#include "runtime/os/LoadOnUse.h"

namespace wdrt {

const FliteLibrary& Flite() {
  return LoadOnce<FliteLibrary>([](FliteLibrary& library) {
    // Each voice brings flite, its English rules and its lexicon with it.
    void* slt = OpenForLife("libflite_cmu_us_slt.so.1", library.error);
    void* rms = slt ? OpenForLife("libflite_cmu_us_rms.so.1", library.error) : nullptr;
    void* awb = rms ? OpenForLife("libflite_cmu_us_awb.so.1", library.error) : nullptr;
    if (!awb) return false;
    bool all = FindFunction(slt, "register_cmu_us_slt", library.register_cmu_us_slt) &&
               FindFunction(rms, "register_cmu_us_rms", library.register_cmu_us_rms) &&
               FindFunction(awb, "register_cmu_us_awb", library.register_cmu_us_awb);
#define WDRT_FLITE_LOOKUP(name) all = FindFunction(slt, #name, library.name) && all;
    WDRT_FLITE_FUNCTIONS(WDRT_FLITE_LOOKUP)
#undef WDRT_FLITE_LOOKUP
    if (!all) library.error = "flite lacks a function the suite uses";
    return all;
  });
}

}  // namespace wdrt
