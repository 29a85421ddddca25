// Positions are thousandths of an inch from the top-left corner of each band, on a letter page
// with a quarter-inch margin. The publisher's contact data is fictional.
#include "launchers/common/PriceListReport.h"

#include <string>
#include <utility>
#include <vector>

namespace menus {
namespace {

using wdrt::report::BandDef;
using wdrt::report::BandKind;
using wdrt::report::ReportBox;
using wdrt::report::ReportDef;
using wdrt::report::ReportField;
using wdrt::report::ReportItem;
using wdrt::report::ReportLine;
using wdrt::report::ReportPicture;
using wdrt::report::ReportText;
using wdrt::report::TextAlign;

constexpr wdrt::Rgb kRed = wdrt::MakeRgb(255, 0, 0);
constexpr int kRight = 7900;  // the right edge of boxes and rules

wdrt::FontDef Arial(int points, bool bold = false, wdrt::Rgb color = wdrt::kBlack) {
  return {"Arial", points, bold, color};
}

ReportItem Plain(int x, int y, std::string text, int points = 10, bool bold = false) {
  return ReportText(x, y, std::move(text), Arial(points, bold));
}

BandDef PageHeader() {
  return {"PAGEHEADER", BandKind::PageHeader, 1700,
          {ReportPicture("DuvUvov.OZE", 604, 479, 6479, 740),
           ReportText(83, 1260, "Site License: one lifetime license for every computer of one school, library or center.",
                      Arial(11, true, kRed)),
           ReportText(83, 1450, "Individual License: every computer in one home or in one classroom.",
                      Arial(11, true, kRed))}};
}

BandDef Heading() {
  const wdrt::FontDef head = Arial(10, true);
  return {kPriceHeadingBand, BandKind::Detail, 1250,
          {ReportText(83, 40, "Zarezuzavar E-Zevuz", Arial(14, true, kRed)),
           Plain(83, 330, "Phone: (555) 010-4477  (Monday to Friday, 9 to 5)"),
           Plain(83, 510, "E-mail: orders@storyloom.example"),
           ReportBox(0, 720, kRight, 460),
           ReportText(83, 850, "Theme", head), ReportText(1510, 850, "Name", head),
           ReportText(2656, 850, "Level", head), ReportText(3146, 850, "License Type", head),
           ReportText(4271, 850, "Sight words", head), ReportText(6813, 760, "# of", head),
           ReportText(6854, 940, "books", head), ReportText(7344, 850, "Price", head)}};
}

BandDef Detail() {
  const wdrt::FontDef line = Arial(9, true);
  return {kPriceDetailBand, BandKind::Detail, 230,
          {ReportField(94, 30, "PRI:THEME", line), ReportField(1302, 30, "PRI:BOOKNAME", line),
           ReportField(2656, 30, "PRI:LEVEL", line), ReportField(3146, 30, "PRI:LICTYPE", line),
           ReportField(4385, 30, "PRI:DESCRIPTION", line),
           ReportField(6813, 30, "PRI:NUMBERBOOKS", line, TextAlign::Right, 400),
           ReportField(7144, 30, "PRI:PRICE", line, TextAlign::Right, 700)}};
}

// A ruled line to write on, from x to the right edge.
ReportItem Rule(int x, int y, int to = kRight) { return ReportLine(x, y, to, y); }

std::vector<ReportItem> OrderTable(int top) {
  std::vector<ReportItem> items = {
      ReportBox(0, top, kRight, 240),
      Plain(83, top + 40,
            "Name                   Theme            Format                    License type                          "
            "                      Price",
            9, true)};
  for (int row = 0; row < 5; ++row) {
    const int y = top + 240 + row * 260;
    // Under the heading's "Format", "License type" and "Price".
    items.push_back(Plain(1900, y + 60, "CD  /  Download", 9));
    items.push_back(Plain(3060, y + 60, "Site  /  Individual", 9));
    items.push_back(Plain(5430, y + 60, "$", 9));
    items.push_back(Rule(0, y + 260));
  }
  items.push_back(ReportLine(0, top, 0, top + 240 + 5 * 260));
  items.push_back(ReportLine(kRight, top, kRight, top + 240 + 5 * 260));
  return items;
}

BandDef OrderForm() {
  std::vector<ReportItem> items = {
      Plain(83, 100, "Mail To: Storyloom Books, Order Department"),
      Plain(83, 280, "Mail To: 100 Example Lane, Suite 4"),
      Plain(83, 460, "Mail To: Springfield, ST 00000-0000"),
      Plain(3400, 700, "Order Form", 12, true),
      ReportPicture("DuvUvov.OZE", 604, 950, 6479, 740),
  };
  const std::vector<ReportItem> table = OrderTable(1800);
  items.insert(items.end(), table.begin(), table.end());
  const std::vector<ReportItem> rest = {
      Plain(5900, 3440, "Subtotal   $"), Rule(7000, 3600),
      Plain(5900, 3640, "Shipping  $"), Rule(7000, 3800),
      Plain(83, 3840, "(No shipping charge to download or for orders over $30.00) otherwise $8)", 8),
      Plain(5900, 3840, "Total        $"), Rule(7000, 4000),
      Plain(83, 4200, "Payment:", 10, true),
      Plain(83, 4400, "Purchase Order # ___________________________  (Please Attatch Purchase Order)", 9),
      Plain(83, 4600, "___  Cash or check made payable to Storyloom Books", 9),
      Plain(83, 4800, "Credit Card:   Visa      Master Card      American Express", 9),
      Plain(83, 5000, "Card Number: ______________________________________   Expiration Date: ________", 9),
      Plain(83, 5200, "Name on Card: ______________________________________   Phone: ______________________", 9),
      Plain(83, 5400, "Billing Address: ___________________________________________________________________", 9),
      Plain(83, 5600, "_______________________________________________________________________________", 9),
      Plain(83, 5900, "Shipping:", 10, true),
      Plain(83, 6100, "E-mail Address (required for non-CD's):  ______________________________________________", 9),
      Plain(83, 6300, "___  Shipng Address is the same as the Billing Address", 9),
      Plain(83, 6500, "Shipping Address: __________________________________________________________________", 9),
      Plain(83, 6700, "_______________________________________________________________________________", 9),
      Plain(83, 7000, "Schools, libraries and centers:", 10, true),
      Plain(83, 7200, "Institutions receive a discount. Please send proof of professional status with your order:", 9),
      Plain(83, 7380, "a teacher certification, a letter from the management, or an order on your letterhead.", 9),
      Plain(83, 7600, "Name: ______________________________________   Title: ______________________________", 9),
      Plain(83, 7800, "Institution: ______________________________________________________________________", 9),
  };
  items.insert(items.end(), rest.begin(), rest.end());
  return {kPriceOrderFormBand, BandKind::Detail, 8100, std::move(items)};
}

ReportDef MakePriceListReport() {
  ReportDef def;
  def.name = "Htmlreport";
  def.pageWidth = 8500;
  def.pageHeight = 11000;
  def.paper = 1;
  def.marginLeft = 300;
  def.marginTop = 250;
  def.marginBottom = 250;
  def.font = {"Arial", 10, false, wdrt::kBlack};
  def.bands = {PageHeader(), Heading(), Detail(), OrderForm()};
  return def;
}

}  // namespace

const ReportDef& PriceListReport() {
  static const ReportDef report = MakePriceListReport();
  return report;
}

}  // namespace menus
