// flite, the speech synthesiser, loaded when the first text is spoken or spelt out: its three
// voices and its lexicon are large, and most programs speak nothing at run time. Types from
// flite's headers; the calls go through the pointers here. Any thread (flite itself wants one
// caller at a time: the speech code keeps to that).
#pragma once

#include <flite/flite.h>

#include <string>

extern "C" {
cst_voice* register_cmu_us_slt(const char* voxdir);
cst_voice* register_cmu_us_rms(const char* voxdir);
cst_voice* register_cmu_us_awb(const char* voxdir);
cst_lexicon* cmu_lex_init(void);
}

namespace wdrt {

#define WDRT_FLITE_FUNCTIONS(X)                                                                        \
  X(flite_init) X(flite_synth_text) X(delete_utterance) X(utt_relation) X(utt_wave) X(relation_head)   \
  X(item_as) X(item_daughter) X(item_last_daughter) X(item_next) X(item_prev) X(item_feat_float)       \
  X(cmu_lex_init) X(lex_lookup) X(val_car) X(val_cdr) X(val_string) X(delete_val)

struct FliteLibrary {
#define WDRT_FLITE_POINTER(name) decltype(&::name) name = nullptr;
  WDRT_FLITE_FUNCTIONS(WDRT_FLITE_POINTER)
  WDRT_FLITE_POINTER(register_cmu_us_slt)
  WDRT_FLITE_POINTER(register_cmu_us_rms)
  WDRT_FLITE_POINTER(register_cmu_us_awb)
#undef WDRT_FLITE_POINTER
  bool loaded = false;  // every pointer above is set
  std::string error;
};

// The library and its voices, loaded on the first call.
const FliteLibrary& Flite();

}  // namespace wdrt
