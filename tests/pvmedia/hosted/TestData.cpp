#include "TestData.h"

#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QBuffer>
#include <QImage>
#include <QPdfWriter>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <vector>

namespace hostedtest {
namespace {

void Put16(std::string& out, unsigned value) {
  out += static_cast<char>(value & 255);
  out += static_cast<char>(value >> 8 & 255);
}
void Put32(std::string& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// Bits written most significant first, as SWF's RECT wants them.
class BitWriter {
 public:
  void Put(std::uint32_t value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
      current_ = static_cast<std::uint8_t>(current_ << 1 | (value >> i & 1));
      if (++count_ == 8) Flush();
    }
  }
  std::string Done() {
    if (count_ > 0) {
      current_ = static_cast<std::uint8_t>(current_ << (8 - count_));
      Flush();
    }
    return bytes_;
  }

 private:
  void Flush() {
    bytes_ += static_cast<char>(current_);
    current_ = 0;
    count_ = 0;
  }
  std::string bytes_;
  std::uint8_t current_ = 0;
  int count_ = 0;
};

void Tag(std::string& out, unsigned code, const std::string& body) {
  if (body.size() < 63) {
    Put16(out, code << 6 | static_cast<unsigned>(body.size()));
  } else {
    Put16(out, code << 6 | 63);
    Put32(out, static_cast<std::uint32_t>(body.size()));
  }
  out += body;
}

// AVM1 actions, as the movie's own script would carry them.
std::string Action(unsigned code, const std::string& data = "") {
  std::string out(1, static_cast<char>(code));
  if (code >= 0x80) {
    Put16(out, static_cast<unsigned>(data.size()));
    out += data;
  }
  return out;
}
std::string PushString(const std::string& text) { return std::string(1, '\0') + text + '\0'; }
std::string PushInteger(std::uint32_t value) {
  std::string out(1, '\7');
  Put32(out, value);
  return out;
}
std::string PushNull() { return std::string(1, '\2'); }
// An anonymous function of `parameters` with `body`; defining it pushes it.
std::string DefineFunction(const std::vector<std::string>& parameters, const std::string& body) {
  std::string data(1, '\0');  // no name
  Put16(data, static_cast<unsigned>(parameters.size()));
  for (const std::string& p : parameters) data += p + '\0';
  Put16(data, static_cast<unsigned>(body.size()));
  return Action(0x9B, data) + body;
}

// Frame 1's script: ExternalInterface.addCallback(name, null, function) for pvGotoFrame(n)
// (gotoAndStop(n)) and pvCurrentFrame() (_currentframe), so that the page can send the movie
// to a frame and read its frame back.
std::string FrameScript() {
  constexpr unsigned kGetVariable = 0x1C, kGetMember = 0x4E, kCallMethod = 0x52, kPop = 0x17, kReturn = 0x3E,
                     kGotoFrame2 = 0x9F, kGetProperty = 0x22, kPush = 0x96;
  const std::string gotoBody = Action(kPush, PushString("n")) + Action(kGetVariable) + Action(kGotoFrame2, std::string(1, '\0'));
  const std::string frameBody = Action(kPush, PushString("") + PushInteger(4)) + Action(kGetProperty) + Action(kReturn);
  const auto addCallback = [&](const std::string& name, const std::string& function) {
    return function + Action(kPush, PushNull() + PushString(name) + PushInteger(3) + PushString("flash")) +
           Action(kGetVariable) + Action(kPush, PushString("external")) + Action(kGetMember) +
           Action(kPush, PushString("ExternalInterface")) + Action(kGetMember) +
           Action(kPush, PushString("addCallback")) + Action(kCallMethod) + Action(kPop);
  };
  return addCallback("pvGotoFrame", DefineFunction({"n"}, gotoBody)) +
         addCallback("pvCurrentFrame", DefineFunction({}, frameBody)) + std::string(1, '\0');  // ActionEnd
}

}  // namespace

bool WriteText(const std::string& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  return static_cast<bool>(out.flush());
}

std::string ReadText(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WriteWav(const std::string& file, double seconds) {
  constexpr int kRate = 22050;
  const auto samples = static_cast<std::uint32_t>(seconds * kRate);
  std::string out = "RIFF";
  Put32(out, 36 + samples * 2);
  out += "WAVEfmt ";
  Put32(out, 16);
  Put16(out, 1);
  Put16(out, 1);
  Put32(out, kRate);
  Put32(out, kRate * 2);
  Put16(out, 2);
  Put16(out, 16);
  out += "data";
  Put32(out, samples * 2);
  for (std::uint32_t i = 0; i < samples; ++i)
    Put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(6000 * std::sin(2 * M_PI * 440 * i / kRate))));
  return WriteText(file, out);
}

bool WriteSwf(const std::string& file, int frames, int rate) {
  BitWriter rect;  // 0..4000 x 0..3000 twips (200 x 150 pixels)
  rect.Put(13, 5);
  rect.Put(0, 13);
  rect.Put(4000, 13);
  rect.Put(0, 13);
  rect.Put(3000, 13);
  std::string body = rect.Done();
  Put16(body, static_cast<unsigned>(rate) << 8);
  Put16(body, static_cast<unsigned>(frames));
  Tag(body, 9, std::string("\x40\x80\xC0", 3));  // background colour
  Tag(body, 12, FrameScript());                       // DoAction, frame 1
  for (int i = 0; i < frames; ++i) Tag(body, 1, "");  // ShowFrame
  Tag(body, 0, "");                                   // End
  std::string out = "FWS";
  out += static_cast<char>(8);
  Put32(out, static_cast<std::uint32_t>(8 + body.size()));
  return WriteText(file, out + body);
}

std::string RedPng() {
  QImage image(40, 40, QImage::Format_RGB32);
  image.fill(Qt::red);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes.toStdString();
}

bool WritePdf(const std::string& file, int pages) {
  QPdfWriter writer(QString::fromStdString(file));
  writer.setPageSize(QPageSize(QPageSize::A5));
  writer.setResolution(72);
  writer.setTitle("Two pages");
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  for (int page = 1; page <= pages; ++page) {
    if (page > 1) writer.newPage();
    QFont font("Liberation Sans");
    font.setPixelSize(60);
    painter.setFont(font);
    painter.drawRect(QRect(20, 20, 380, 540));
    painter.drawText(QRect(20, 20, 380, 540), Qt::AlignCenter, QString("Page %1").arg(page));
  }
  return painter.end();
}

}  // namespace hostedtest
