#include "tests/support/HostileDocuments.h"

#include "streaming/StreamFormat.h"

namespace test_support {

namespace {

using TValue = std::function<void(TValueWriter&)>;

TValue Property(const char* name, const TValue& value) {
  return [=](TValueWriter& w) {
    w.WriteShortString(name);
    value(w);
  };
}

TValue Text(const String& value) {
  return [value](TValueWriter& w) { w.WriteText(value); };
}

TValue Ident(const char* value) {
  return [value](TValueWriter& w) { w.WriteIdent(value); };
}

// An image whose picture is `bmp`, as a picture streams it.
Bytes ImageRecord(const char* name, const Bytes& bmp) {
  return HandMadeRecord("TImage", name, Property("Picture.Data", [&bmp](TValueWriter& w) {
    Bytes data{7, 'T', 'B', 'i', 't', 'm', 'a', 'p'};
    for (int i = 0; i < 4; ++i) data.push_back(std::uint8_t(bmp.size() >> (8 * i)));
    data.insert(data.end(), bmp.begin(), bmp.end());
    w.WriteBinary(data.data(), data.size());
  }));
}

}  // namespace

Bytes RunLengthBmp(std::uint32_t width, std::uint32_t height) {
  Bytes file{'B', 'M', 60, 0, 0, 0, 0, 0, 0, 0, 58, 0, 0, 0, 40, 0, 0, 0};
  auto put = [&file](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file.push_back(std::uint8_t(value >> (8 * i)));
  };
  put(width, 4), put(height, 4), put(1, 2), put(8, 2), put(1, 4), put(2, 4), put(0, 4), put(0, 4), put(1, 4), put(0, 4);
  put(0, 4);  // the palette's one colour
  file.insert(file.end(), {0, 1});
  return file;
}

Bytes StageStream(const std::vector<Bytes>& records) {
  Bytes stream;
  for (const Bytes& record : records) stream.insert(stream.end(), record.begin(), record.end());
  stream.push_back(0);
  return stream;
}

std::vector<THostileDocument> HostileDocuments(const String& registryKey, const String& iniFile) {
  return {
      {"A THistoryComboBox does not belong",
       {HandMadeRecord("THistoryComboBox", "History1", [&](TValueWriter& w) {
         Property("SaveKeyName", Text(registryKey))(w);
         Property("SaveFileName", Text(iniFile))(w);
       })}},
      {"A TTimer does not belong", {HandMadeRecord("TTimer", "Timer1", Property("OnTimer", Ident("SpeedButton2Click")))}},
      {"stands for a component outside it",
       {HandMadeRecord("TSpeedButton", "SpeedButton2", Property("Visible", [](TValueWriter& w) { w.WriteBoolean(false); }),
                       streamformat::ffInherited)}},
      {"binds OnDblClick of a TImage to SpeedButton1Click",
       {HandMadeRecord("TImage", "Image9", Property("OnDblClick", Ident("SpeedButton1Click")))}},
      {"refers to Panel0, which is not in it",
       {HandMadeRecord("TLabel", "Label9", Property("FocusControl", Ident("Panel0")))}},
      {"larger than 16 times the stage",
       {HandMadeRecord("TdxfLabel", "dxfLabel9", Property("Width", [](TValueWriter& w) { w.WriteInteger(70000); }))}},
      // Each fits the budget alone, not both together; the third is never decoded.
      {"pictures together are larger than",
       {ImageRecord("Image9", RunLengthBmp(5000, 5000)), ImageRecord("Image10", RunLengthBmp(5000, 5000)),
        ImageRecord("Image11", RunLengthBmp(16384, 16384))}},
  };
}

}  // namespace test_support
