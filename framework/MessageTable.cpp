#include "framework/MessageTable.h"

#include <algorithm>
#include <array>

namespace {

// The standard messages, in the order they are loaded (a later row of one id overrides an
// earlier one). "|" is a line break of the message box.
constexpr MessageSource kStandardMessages[] = {
    {27, 5, "Invalid Key", "%File key file is invalid. Key must be rebuilt."},
    {26, 3, "Key was not built", "Error: (%ErrorText) repairing key for %File."},
    {10, 3, "File Creation Error", "Error: (%ErrorText) creating %File."},
    {24, 5, "Procedure not defined", "The Procedure %Message has not been defined."},
    {17, 5, "Range Error", "The value of %Field must be lower than %Message."},
    {18, 5, "Range Error", "The value of %Field must be higher than %Message."},
    {16, 5, "Range Error", "The value of %Field must be in range %Message."},
    {14, 5, "Field contents error", "The value of %Field must be found in the %Message file."},
    {31, 5, "Referential Integrity Update Error",
     "This record is referenced from the file %File. Linking field(s) have been restricted from "
     "change and have been reset to original values."},
    {30, 5, "Referential Integrity Delete Error",
     "This record is referenced from the file %File. This record cannot be deleted while these "
     "references exist."},
    {4, 5, "Record Insert Error",
     "An error was experienced during the creation of a record.|File: %File|Error: %ErrorText."},
    {6, 5, "Record Was Not Updated", "This record was changed by another station."},
    {7, 5, "Record Was Not Updated",
     "This record was changed by another station. Those changes will now be displayed. Use the "
     "Ditto Button or Ctrl+' to recall your changes."},
    {34, 1, "Record Update Error",
     "An error was experienced changing this record. Do you want to try to save again?"},
    {33, 1, "Record Delete Error",
     "An error was experienced deleting this record. Do you want to try to delete it again?"},
    {20, 5, "Invalid Request", "This form cannot be used to insert a record"},
    {38, 5, "Invalid Request", "This form cannot be used to update a record"},
    {12, 5, "Invalid Request", "This form cannot be used to delete a record"},
    {8, 1, "Changes will be lost!", "Are you sure you want to cancel?"},
    {13, 5, "Duplicate Key Error", "Adding this record creates a duplicate entry for the key: %Message"},
    {32, 1, "Auto Increment Error",
     "Attempts to automatically number this record have failed.|File: %File|Error: %ErrorText.|Try Again?"},
    {19, 5, "File Load Error", "%File File Load Error.  Error: %ErrorText."},
    {36, 1, "Beginning of File Error",
     "The beginning of the file %File was encountered. Do you want to start again from the end of the file?"},
    {37, 1, "End of File Error",
     "The end of the file %File was encountered. Do you want to start again from the beginning?"},
    {23, 3, "File Access Error", "File %File could not be opened.  Error: %ErrorText."},
    {25, 5, "Record was not updated",
     "An error (%ErrorText) was experienced when making changes to the %File file."},
    {11, 5, "Record was not deleted",
     "An error (%ErrorText) was experienced when deleting a record from the %File file."},
    {9, 1, "Confirm Delete", "Are you sure you want to delete the highlighted record?"},
    {35, 1, "Save Record", "Do you want to save the changes to this record?"},
    {21, 5, "Transaction cancelled", "Error: (%ErrorText) attempting to frame the transaction on %File."},
    {1, 5, "Record Retrieval Error",
     "Error: (%ErrorText) attempting to access a record from the %File file.  Returning to previous window."},
    {40, 5, "View Open Error",
     "Error: (%ErrorText) attempting to open the current VIEW. Filter and Range Limits ignored."},
    {3, 1, "Record Added", "This record has been added to the file. Do you want to add another record?"},
    {28, 5, "Record not read", "A record held by another station was encountered reading from the %File file."},
    {5, 5, "Add New Record?", "Record match not found, do you wish to add a new one?"},
    {15, 5, "Value Error", "The value of %Field must be in the list : %Message."},
    {22, 5, "No Records", "There are no records available to process."},
    {2, 5, "Access Denied", "Could not get write access to %File so trying read-only."},
    {39, 2, "File Usage Error", "Attempt to use file (%File) before it was opened"},
    {41, 5, "Unsupported QBE Column",
     "The saved QBE column, %Field is not supported. It will be dropped from the query."},
    {42, 5, "SMTP Error", "The following SMTP Error occurred: %Message "},
    {43, 5, "NNTP Error", "%Message "},
    {44, 5, "Winsock Error", "%Message "},
};

void PutText(std::vector<std::uint8_t>& out, std::string_view text) {
  const std::size_t length = std::min<std::size_t>(text.size(), 255);
  out.push_back(static_cast<std::uint8_t>(length));
  out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
}

}  // namespace

std::vector<std::uint8_t> EncodeMessageTable(std::span<const MessageSource> rows) {
  std::vector<std::uint8_t> out;
  const std::size_t count = std::min<std::size_t>(rows.size(), 0xFFFF);
  out.push_back(static_cast<std::uint8_t>(count & 0xFF));
  out.push_back(static_cast<std::uint8_t>(count >> 8));
  for (std::size_t i = 0; i < count; ++i) {
    out.push_back(static_cast<std::uint8_t>(rows[i].id & 0xFF));
    out.push_back(static_cast<std::uint8_t>(rows[i].id >> 8));
    out.push_back(rows[i].fatality);
    PutText(out, rows[i].title);
    PutText(out, rows[i].message);
  }
  return out;
}

std::vector<MessageRow> DecodeMessageTable(std::span<const std::uint8_t> bytes) {
  std::vector<MessageRow> rows;
  if (bytes.size() < 2) return rows;
  const std::size_t count = bytes[0] | (bytes[1] << 8);
  std::size_t at = 2;
  auto takeText = [&](std::string& text) {
    if (at >= bytes.size()) return false;
    const std::size_t length = bytes[at++];
    if (bytes.size() - at < length) return false;
    text.assign(reinterpret_cast<const char*>(bytes.data() + at), length);
    at += length;
    return true;
  };
  for (std::size_t i = 0; i < count; ++i) {
    if (bytes.size() - at < 3) break;
    MessageRow row;
    row.ID = static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
    row.FATALITY = bytes[at + 2];
    at += 3;
    if (!takeText(row.TITLE) || !takeText(row.MESSAGE)) break;
    rows.push_back(std::move(row));
  }
  return rows;
}

std::span<const std::uint8_t> StandardMessageTable() {
  static const std::vector<std::uint8_t> table = EncodeMessageTable(kStandardMessages);
  return table;
}
