// A book's spoken sounds in the order a child meets them: page by page from the page of the
// first page button, each page's Next leading to the following one (pages not reached that
// way come after, in table order); on each page its narration, then its other sound controls
// in control order, then the answers' replies. Pure function of the tables; any thread.
#pragma once

#include <vector>

#include "books/common/BookTables.h"
#include "family/VoiceRecorder.h"

namespace book {

std::vector<TextToRecord> TextsInReadingOrder(const BookDef& book);

}  // namespace book
