#include "family/Kidlt.h"

namespace {

// The owner password of every personalisation file; the only place it is written down.
constexpr const char* kKidltOwner = "pL4!kidlt~Storyloom#7Qe9";

}  // namespace

const wdrt::FileDef& KidltDefinition() {
  static const wdrt::FileDef def{
      .label = "KIDLT",
      .prefix = "KDL",
      .fileName = kKidltFileName,
      .owner = kKidltOwner,
      .fields = {{"NAME", wdrt::FieldKind::Text, kKidltNameSize, 0},
                 {"DATE", wdrt::FieldKind::Long, 4, 0},
                 {"LICSENSE", wdrt::FieldKind::Text, 20, 0},
                 {"OTEHR", wdrt::FieldKind::Text, 3, 0}},
      .keys = {{"NME", {{"NAME", false}}, false}},
  };
  return def;
}

wdrt::KeyedFile KIDLT(KidltDefinition());
