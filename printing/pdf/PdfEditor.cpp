#include "printing/pdf/PdfEditor.h"

namespace printing {

PdfEditor::~PdfEditor() {
  if (PDFDOC != 0) PDFP_Close(PDFDOC);
  PDFDOC = 0;
  LASTERRORCODE = 0;
  IMAGECOUNT = 0;
  FILENAME.clear();
}

bool PdfEditor::Begin() {
  LASTERRORCODE = 0;
  if (PDFDOC != 0) return true;
  LASTERRORCODE = -1;
  return false;
}

int PdfEditor::Store(int result) {
  LASTERRORCODE = result;
  return result == 0 ? 0 : -1;
}

int PdfEditor::Init() {
  LASTERRORCODE = 0;
  if (PDFDOC != 0) return 0;
  PDFDOC = PDFP_InitEx();
  if (PDFDOC == 0) {
    LASTERRORCODE = -1;
    return -1;
  }
  return 0;
}

int PdfEditor::SetFileName(const std::string& fileName) {
  if (!Begin()) return -1;
  FILENAME = fileName.substr(0, 260);
  return Store(PDFP_SetFileName(PDFDOC, FILENAME.c_str()));
}

int PdfEditor::Read(bool askPassword, const std::string& password) {
  if (!Begin()) return -1;
  const int read = PDFP_ReadDocument(PDFDOC);
  LASTERRORCODE = read;
  if (read == 1) return 1;
  if (read != 2) return -1;
  if (!askPassword) return 2;
  const int checked = PDFP_CheckPassword(PDFDOC, password.c_str(), static_cast<int>(password.size()));
  LASTERRORCODE = checked;
  if (checked != 0) return -1;
  const int finished = PDFP_FinishRead(PDFDOC);
  LASTERRORCODE = finished;
  return finished == 1 ? 1 : -1;
}

int PdfEditor::AddWatermark(const PdfWatermarkDescription& description, const std::string& text,
                            const std::string& imageFileName) {
  if (!Begin()) return -1;
  return Store(PDFP_AddWatermark(PDFDOC, &description, text.c_str(), imageFileName.c_str()));
}

int PdfEditor::SetOutlines(const PdfOutlineNode* first) {
  if (!Begin()) return -1;
  return Store(PDFP_SetOutlines(PDFDOC, first));
}

int PdfEditor::SetNewPassword(const std::string& user, const std::string& owner, std::int32_t permissions,
                              int keyLength) {
  if (!Begin()) return -1;
  return Store(PDFP_SetNewPassword(PDFDOC, user.c_str(), static_cast<int>(user.size()), owner.c_str(),
                                   static_cast<int>(owner.size()), permissions, keyLength));
}

int PdfEditor::Write(const std::string& fileName) {
  if (!Begin()) return -1;
  return Store(PDFP_WriteDocument(PDFDOC, fileName.c_str()));
}

}  // namespace printing
