// The printed booklets as a parent gets them, read back from the PDFs the books write: for two
// children, every book on Letter and on A4. Each booklet names its own child; nothing stands
// within a quarter inch of the paper's edge; no two words print over each other; a word either
// stands on one picture (a caption) or clear of every picture (a label, a page number).
#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "BookRun.h"
#include "tests/report/ReportTestSupport.h"

namespace {

constexpr double kSafe = 18.0;  // a quarter inch in points

struct Word {
  double xMin, yMin, xMax, yMax;
  std::string text;
};

struct Page {
  double width = 0, height = 0;
  std::vector<Word> words;
};

// Every page's size and words, from pdftotext's boxes.
std::vector<Page> ReadPages(const std::string& pdf) {
  const std::string html = reporttest::Run("pdftotext -bbox " + reporttest::ShellQuoted(pdf) + " - 2>/dev/null");
  std::vector<Page> pages;
  static const std::regex page(R"re(<page width="([0-9.]+)" height="([0-9.]+)">)re");
  static const std::regex word(
      R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)" yMax="([0-9.]+)">([^<]*)</word>)re");
  std::istringstream lines(html);
  for (std::string line; std::getline(lines, line);) {
    std::smatch m;
    if (std::regex_search(line, m, page)) {
      pages.push_back({std::stod(m[1]), std::stod(m[2]), {}});
    } else if (std::regex_search(line, m, word) && !pages.empty()) {
      pages.back().words.push_back({std::stod(m[1]), std::stod(m[2]), std::stod(m[3]), std::stod(m[4]), m[5]});
    }
  }
  return pages;
}

struct Box {
  double xMin, yMin, xMax, yMax;
};

// Where one page's pictures are drawn, in points from its top-left corner, from the page
// rendered as SVG (each picture an image placed by a matrix).
std::vector<Box> PicturesOn(const std::string& pdf, int pageNumber) {
  const std::string svg = reporttest::Run("pdftocairo -svg -f " + std::to_string(pageNumber) + " -l " +
                                          std::to_string(pageNumber) + " " + reporttest::ShellQuoted(pdf) + " -");
  std::map<std::string, std::pair<double, double>> sizes;
  static const std::regex image(R"re(<image id="([^"]+)" width="([0-9.]+)" height="([0-9.]+)")re");
  for (std::sregex_iterator it(svg.begin(), svg.end(), image), end; it != end; ++it)
    sizes[(*it)[1]] = {std::stod((*it)[2]), std::stod((*it)[3])};
  static const std::regex use(
      R"re(<use xlink:href="#([^"]+)" transform="matrix\(([-0-9.e]+),([-0-9.e]+),([-0-9.e]+),([-0-9.e]+),([-0-9.e]+),([-0-9.e]+)\)")re");
  std::vector<Box> pictures;
  for (std::sregex_iterator it(svg.begin(), svg.end(), use), end; it != end; ++it) {
    const auto size = sizes.find((*it)[1]);
    if (size == sizes.end()) continue;
    const double a = std::stod((*it)[2]), d = std::stod((*it)[5]), e = std::stod((*it)[6]), f = std::stod((*it)[7]);
    pictures.push_back({e, f, e + a * size->second.first, f + d * size->second.second});
  }
  return pictures;
}

bool Overlap(const Word& w, const Box& b) {
  return std::min(w.xMax, b.xMax) - std::max(w.xMin, b.xMin) > 0.5 &&
         std::min(w.yMax, b.yMax) - std::max(w.yMin, b.yMin) > 0.5;
}

bool Inside(const Word& w, const Box& b) {
  return w.xMin >= b.xMin - 0.5 && w.xMax <= b.xMax + 0.5 && w.yMin >= b.yMin - 0.5 && w.yMax <= b.yMax + 0.5;
}

std::string TextOf(const std::vector<Page>& pages, std::size_t first, std::size_t last) {
  std::string text;
  for (std::size_t p = first; p <= last && p < pages.size(); ++p)
    for (const Word& w : pages[p].words) text += w.text + " ";
  return text;
}

// Whether anything but white lies within the quarter inch along the edge of each page.
bool InkNearTheEdge(const std::string& pdf, int pageNumber, std::string& where) {
  const std::string base = std::filesystem::path(pdf).parent_path().string() + "/edge";
  reporttest::Run("pdftoppm -r 72 -gray -png -f " + std::to_string(pageNumber) + " -l " + std::to_string(pageNumber) +
                  " -singlefile " + reporttest::ShellQuoted(pdf) + " " + reporttest::ShellQuoted(base));
  const QImage image(QString::fromStdString(base + ".png"));
  if (image.isNull()) {
    where = "no rendering";
    return true;
  }
  const int margin = static_cast<int>(kSafe) - 1;  // a pixel of anti-aliasing
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const bool edge = x < margin || y < margin || x >= image.width() - margin || y >= image.height() - margin;
      if (edge && qGray(image.pixel(x, y)) < 235) {
        where = "pixel " + std::to_string(x) + "," + std::to_string(y);
        return true;
      }
    }
  return false;
}

struct BookCase {
  const char* program;
  const char* button;
  std::string file;        // the PDF's name for two children
  const char* ownName;     // how a booklet names its child ("This book belongs to", "Hi, my name is")
};

void PrintTo(const BookCase& book, std::ostream* out) { *out << book.program; }

class Booklets : public ::testing::TestWithParam<std::tuple<BookCase, std::string>> {};

TEST_P(Booklets, EachNamesItsChildAndKeepsToTheSafeAreaWithoutOverlaps) {
  const auto& [book, paper] = GetParam();
  const std::string dir = e2e::MakeTempDir("booklet");
  const std::string work = dir + "/work";
  std::filesystem::create_directories(work);
  std::filesystem::create_directories(dir + "/config/storyloom");
  std::ofstream(dir + "/config/storyloom/storyloom.INI") << "[Print]\r\nPaper=" << paper << "\r\n";
  ASSERT_EQ(std::system(("cd '" + work + "' && '" + e2e::SuiteProgram("kidlt") + "' add Mia Noah >/dev/null").c_str()), 0);
  e2e::RunOptions options;
  options.program = e2e::SuiteProgram(book.program);
  options.workDir = work;
  options.runDir = dir;
  options.environment = {"WDRT_SHELL_OPEN=/bin/true"};
  options.script = std::string("press \"Storyloom\" -14\nwait-window \"Print report or print to pdf file\"\n") +
                   "press top ?GLO:EMAILREQ\npress top \"" + book.button + "\"\nexpect \"pdf-written\"\n"
                   "expect \"shell-open\"\npress \"Print report or print to pdf file\" \"Done\"\n"
                   "expect \"close-window [0-9]+ .Print report\"\nclose \"Storyloom\"\n";
  const e2e::RunResult run = e2e::RunProgram(options);
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const std::string pdf = dir + "/Documents/Storyloom/" + book.file;
  const std::vector<Page> pages = ReadPages(pdf);
  ASSERT_EQ(pages.size(), 12u) << pdf;

  // The paper asked for: Letter 612 × 792 points, A4 595 × 842.
  for (const Page& page : pages) {
    EXPECT_NEAR(page.width, paper == "A4" ? 595.3 : 612.0, 0.5);
    EXPECT_NEAR(page.height, paper == "A4" ? 841.9 : 792.0, 0.5);
  }
  // Each booklet is its child's: Mia's first six sheets, then Noah's.
  const std::string mia = TextOf(pages, 0, 5), noah = TextOf(pages, 6, 11);
  EXPECT_NE(mia.find(std::string(book.ownName)), std::string::npos) << mia.substr(0, 300);
  EXPECT_NE(mia.find("Mia"), std::string::npos);
  EXPECT_EQ(mia.find("Noah"), std::string::npos);
  EXPECT_NE(noah.find("Noah"), std::string::npos);
  EXPECT_EQ(noah.find("Mia"), std::string::npos);
  EXPECT_NE(mia.find("Cut along the dotted lines"), std::string::npos);

  for (std::size_t p = 0; p < pages.size(); ++p) {
    const Page& page = pages[p];
    for (const Word& w : page.words) {
      EXPECT_GE(w.xMin, kSafe - 0.5) << "sheet " << p + 1 << ": " << w.text;
      EXPECT_GE(w.yMin, kSafe - 0.5) << "sheet " << p + 1 << ": " << w.text;
      EXPECT_LE(w.xMax, page.width - kSafe + 0.5) << "sheet " << p + 1 << ": " << w.text;
      EXPECT_LE(w.yMax, page.height - kSafe + 0.5) << "sheet " << p + 1 << ": " << w.text;
    }
    for (std::size_t i = 0; i < page.words.size(); ++i)
      for (std::size_t j = i + 1; j < page.words.size(); ++j) {
        const Word& a = page.words[i];
        const Word& b = page.words[j];
        const double across = std::min(a.xMax, b.xMax) - std::max(a.xMin, b.xMin);
        const double down = std::min(a.yMax, b.yMax) - std::max(a.yMin, b.yMin);
        EXPECT_FALSE(across > 0.5 && down > 0.5)
            << "sheet " << p + 1 << ": \"" << a.text << "\" and \"" << b.text << "\" overlap";
      }
    const std::vector<Box> pictures = PicturesOn(pdf, static_cast<int>(p) + 1);
    EXPECT_FALSE(pictures.empty()) << "sheet " << p + 1;
    for (const Word& w : page.words) {
      bool onOne = false, overAny = false;
      for (const Box& picture : pictures) {
        onOne = onOne || Inside(w, picture);
        overAny = overAny || Overlap(w, picture);
      }
      EXPECT_TRUE(onOne || !overAny) << "sheet " << p + 1 << ": \"" << w.text << "\" at " << w.xMin << "," << w.yMin
                                     << " is partly over a picture";
    }
    std::string where;
    EXPECT_FALSE(InkNearTheEdge(pdf, static_cast<int>(p) + 1, where)) << "sheet " << p + 1 << ": " << where;
  }
}

const BookCase kBooks[] = {
    {"fete", "Print Book ", "Zuli's Birthday Party - 2 children.pdf", "Hi, my name is Mia."},
    {"banners", "Print Book 1", "Our Flag - 2 children.pdf", "This book belongs to Mia"},
    {"a", "Print Book 1", "Letter A - 2 children.pdf", "This book belongs to Mia"},
    {"b", "Print Book 1", "Letter B - 2 children.pdf", "This book belongs to Mia"},
};

INSTANTIATE_TEST_SUITE_P(Books, Booklets,
                         ::testing::Combine(::testing::ValuesIn(kBooks), ::testing::Values("Letter", "A4")),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).program) + "_" + std::get<1>(info.param);
                         });

}  // namespace
