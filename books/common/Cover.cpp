#include "books/common/Cover.h"

#include <filesystem>

#include "ChildName.h"
#include "family/Child.h"
#include "runtime/core/Journal.h"
#include "runtime/os/Paths.h"

namespace book {

std::string FramePictureForChild(const BookDef& book, const std::string& name) {
  if (book.frameCaption.text.empty() || name == kChildName) return book.framePicture;
  namespace fs = std::filesystem;
  const std::string folder = wdrt::DataFolder() + "/covers/" + name;
  const std::string made = folder + "/" + book.framePicture;
  std::error_code ec;
  if (fs::exists(made, ec)) return made;
  fs::create_directories(folder, ec);
  wdrt::PictureCaption caption = book.frameCaption;
  caption.text = WithChildName(caption.text, name);
  if (!wdrt::WriteCaptionedPicture(book.namelessFramePicture, caption, made)) {
    wdrt::JournalLine("cover-failed " + wdrt::JournalQuote(made));
    return book.namelessFramePicture;  // better no name than another child's
  }
  wdrt::JournalLine("cover-made " + wdrt::JournalQuote(made));
  return made;
}

}  // namespace book
