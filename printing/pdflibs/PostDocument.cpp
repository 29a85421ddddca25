#include "printing/pdflibs/PostDocument.h"

#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <cstdio>
#include <set>
#include <vector>

#include "printing/pdflibs/CoreDocument.h"
#include "printing/pdflibs/Watermarks.h"
#include "runtime/os/PrivateFolder.h"

namespace pdflibs {
namespace {

constexpr int kMaxOutlineEntries = 100000;

QPDFObjectHandle Destination(const PdfDestination& d, const QPDFObjectHandle& page) {
  QPDFObjectHandle dest = QPDFObjectHandle::newArray();
  dest.appendItem(page);
  auto num = [](std::int32_t v) { return QPDFObjectHandle::newInteger(v); };
  switch (d.DESTEXPL) {
    case 1:
      dest.appendItem(QPDFObjectHandle::newName("/XYZ"));
      dest.appendItem(num(d.LEFT));
      dest.appendItem(num(d.TOP));
      dest.appendItem(d.ZOOM > 0 ? QPDFObjectHandle::newReal(d.ZOOM / 100.0, 2) : QPDFObjectHandle::newNull());
      break;
    case 2:
      dest.appendItem(QPDFObjectHandle::newName("/FitH"));
      dest.appendItem(num(d.TOP));
      break;
    case 3:
      dest.appendItem(QPDFObjectHandle::newName("/FitV"));
      dest.appendItem(num(d.LEFT));
      break;
    case 4:
      dest.appendItem(QPDFObjectHandle::newName("/FitR"));
      dest.appendItem(num(d.LEFT));
      dest.appendItem(num(d.BOTTOM));
      dest.appendItem(num(d.RIGHT));
      dest.appendItem(num(d.TOP));
      break;
    default:
      dest.appendItem(QPDFObjectHandle::newName("/Fit"));
  }
  return dest;
}

struct OutlineBuilder {
  QPDF& pdf;
  std::vector<QPDFPageObjectHelper> pages;
  std::set<const PdfOutlineNode*> seen;  // a tree that loops is cut where it comes back

  // Makes the items of a sibling run under `parent`; returns the visible entries below it.
  int Run(const PdfOutlineNode* first, QPDFObjectHandle parent) {
    QPDFObjectHandle previous;
    int visible = 0;
    for (const PdfOutlineNode* node = first; node; node = node->NEXT) {
      if (!seen.insert(node).second || static_cast<int>(seen.size()) > kMaxOutlineEntries) break;
      QPDFObjectHandle item = pdf.makeIndirectObject(QPDFObjectHandle::newDictionary());
      std::string title(node->TITLE, strnlen(node->TITLE, sizeof node->TITLE));
      item.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(title));
      item.replaceKey("/Parent", parent);
      if (node->GOTOPAGE >= 0 && static_cast<std::size_t>(node->GOTOPAGE) < pages.size())
        item.replaceKey("/Dest", Destination(node->DESTPROP, pages[static_cast<std::size_t>(node->GOTOPAGE)].getObjectHandle()));
      if (previous.isInitialized()) {
        previous.replaceKey("/Next", item);
        item.replaceKey("/Prev", previous);
      } else {
        parent.replaceKey("/First", item);
      }
      parent.replaceKey("/Last", item);
      ++visible;
      if (node->FIRSTCHILD) {
        const int below = Run(node->FIRSTCHILD, item);
        if (below > 0) {
          const bool open = node->COUNT > 0;
          item.replaceKey("/Count", QPDFObjectHandle::newInteger(open ? below : -below));
          if (open) visible += below;
        }
      }
      previous = item;
    }
    return visible;
  }
};

}  // namespace

int PostDocument::Load(const char* password) {
  if (fileName_.empty()) return PdfBadArgument;
  auto pdf = std::make_unique<QPDF>();
  pdf->setSuppressWarnings(true);
  try {
    pdf->processFile(fileName_.c_str(), password);
  } catch (const QPDFExc& e) {
    return e.getErrorCode() == qpdf_e_password ? PdfPasswordNeeded : PdfCannotRead;
  } catch (...) {
    return PdfCannotRead;
  }
  pdf_ = std::move(pdf);
  return PdfOk;
}

int PostDocument::Read() {
  pdf_.reset();
  const int result = Load(nullptr);
  if (result == PdfOk) return 1;
  return result == PdfPasswordNeeded ? 2 : result;
}

int PostDocument::CheckPassword(const std::string& password) {
  pdf_.reset();
  return Load(password.c_str());
}

int PostDocument::AddWatermark(const PdfWatermarkDescription& d, const std::string& text,
                               const std::string& imageFileName) {
  if (!pdf_) return PdfNoPage;
  if (d.SIZE != static_cast<std::int32_t>(sizeof(PdfWatermarkDescription)) || (d.TYPE != 0 && d.TYPE != 1))
    return PdfBadArgument;
  const QByteArray bytes = WatermarkPdf(d, text, imageFileName);
  if (bytes.isEmpty()) return PdfCannotRead;
  // The watermark's own document must live as long as objects are copied from it.
  auto mark = std::make_shared<QPDF>();
  mark->setSuppressWarnings(true);
  mark->processMemoryFile("watermark", bytes.constData(), static_cast<std::size_t>(bytes.size()));
  std::vector<QPDFPageObjectHelper> markPages = QPDFPageDocumentHelper(*mark).getAllPages();
  const std::size_t pageIndex = d.TYPE == 1 && d.IMAGEPAGENUMBER > 0 ? static_cast<std::size_t>(d.IMAGEPAGENUMBER) : 0;
  if (pageIndex >= markPages.size()) return PdfBadArgument;
  marks_.push_back({bytes, mark});
  QPDFObjectHandle form = pdf_->copyForeignObject(markPages[pageIndex].getFormXObjectForPage());
  const bool under = d.PLACEORDER == 1;
  const std::string name = "/Wm" + std::to_string(++watermarks_);
  const QPDFObjectHandle::Rectangle formBox = form.getKey("/BBox").getArrayAsRectangle();
  const double formWidth = formBox.urx - formBox.llx;
  const double formHeight = formBox.ury - formBox.lly;
  for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(*pdf_).getAllPages()) {
    QPDFObjectHandle resources = page.getAttribute("/Resources", true);
    if (!resources.isDictionary()) {
      resources = QPDFObjectHandle::newDictionary();
      page.getObjectHandle().replaceKey("/Resources", resources);
    }
    if (!resources.getKey("/XObject").isDictionary()) resources.replaceKey("/XObject", QPDFObjectHandle::newDictionary());
    resources.getKey("/XObject").replaceKey(name, form);
    const QPDFObjectHandle::Rectangle media = page.getMediaBox().getArrayAsRectangle();
    const double pageWidth = media.urx - media.llx;
    const double pageHeight = media.ury - media.lly;
    const double w = std::min(formWidth, pageWidth);
    const double h = std::min(formHeight, pageHeight);
    const double left = media.llx + (pageWidth - w) / 2;
    double bottom = media.lly + (pageHeight - h) / 2;  // centre
    if (d.PLACETYPE == 1) bottom = media.ury - h;       // top
    if (d.PLACETYPE == 2) bottom = media.lly;           // bottom
    const std::string placed = page.placeFormXObject(form, name, {left, bottom, left + w, bottom + h}, true, true, false);
    if (under) {
      page.addPageContents(QPDFObjectHandle::newStream(pdf_.get(), "q\n" + placed + "\nQ\n"), true);
    } else {
      // The page's own drawing may leave its graphics state changed: enclose it first.
      page.addPageContents(QPDFObjectHandle::newStream(pdf_.get(), "q\n"), true);
      page.addPageContents(QPDFObjectHandle::newStream(pdf_.get(), "\nQ\nq\n" + placed + "\nQ\n"), false);
    }
  }
  return PdfOk;
}

int PostDocument::SetOutlines(const PdfOutlineNode* first) {
  if (!pdf_) return PdfNoPage;
  QPDFObjectHandle root = pdf_->getRoot();
  if (!first) {
    root.removeKey("/Outlines");
    return PdfOk;
  }
  QPDFObjectHandle outlines = pdf_->makeIndirectObject(QPDFObjectHandle::newDictionary());
  outlines.replaceKey("/Type", QPDFObjectHandle::newName("/Outlines"));
  OutlineBuilder builder{*pdf_, QPDFPageDocumentHelper(*pdf_).getAllPages(), {}};
  const int visible = builder.Run(first, outlines);
  outlines.replaceKey("/Count", QPDFObjectHandle::newInteger(visible));
  root.replaceKey("/Outlines", outlines);
  root.replaceKey("/PageMode", QPDFObjectHandle::newName("/UseOutlines"));
  return PdfOk;
}

int PostDocument::SetNewPassword(std::string user, std::string owner, std::int32_t permissions, int keyLength) {
  if (!pdf_) return PdfNoPage;
  if (user.empty() && owner.empty()) {
    protection_.reset();
    return PdfOk;
  }
  // An empty owner password would open the file with every right and no question; a random
  // one keeps the user password and the permissions binding.
  if (owner.empty()) owner = std::to_string(wdrt::RandomBits()) + std::to_string(wdrt::RandomBits());
  Protection p;
  p.user = std::move(user);
  p.owner = std::move(owner);
  p.permissions = permissions;
  // 40-bit RC4 keys are broken: anything but a request for 128 bits gets AES-256, 128 (and 40)
  // get AES-128.
  p.aes256 = !(keyLength == 128 || keyLength == 40);
  protection_ = std::move(p);
  return PdfOk;
}

int PostDocument::Write(const std::string& fileName) {
  if (!pdf_) return PdfNoPage;
  if (fileName.empty()) return PdfBadArgument;
  QPDFWriter writer(*pdf_);
  writer.setOutputMemory();
  writer.setObjectStreamMode(qpdf_o_generate);
  writer.setCompressStreams(true);
  if (protection_) {
    const Protection& p = *protection_;
    auto allowed = [&](int bit) { return (p.permissions & bit) != 0; };
    const qpdf_r3_print_e print = allowed(2048) ? qpdf_r3p_full : (allowed(4) ? qpdf_r3p_low : qpdf_r3p_none);
    const bool modify = allowed(8);
    const bool extract = allowed(16);
    const bool annotate = allowed(32);
    const bool forms = allowed(256);
    const bool accessibility = allowed(512);
    const bool assemble = allowed(1024);
    if (p.aes256)
      writer.setR6EncryptionParameters(p.user.c_str(), p.owner.c_str(), accessibility, extract, assemble, annotate,
                                       forms, modify, print, true);
    else
      writer.setR4EncryptionParametersInsecure(p.user.c_str(), p.owner.c_str(), accessibility, extract, assemble,
                                               annotate, forms, modify, print, true, true);
  }
  writer.write();
  std::shared_ptr<Buffer> out = writer.getBufferSharedPointer();
  const QByteArray bytes(reinterpret_cast<const char*>(out->getBuffer()), static_cast<qsizetype>(out->getSize()));
  return WriteWholeFile(fileName, bytes) ? PdfOk : PdfCannotWrite;
}

}  // namespace pdflibs
