// The save scales, their file types and their setting.
#include "app/comic/SaveScale.h"

#include <algorithm>

#include "framework/core/Exception.h"
#include "framework/core/IniFile.h"

namespace {
constexpr const char* kSection = "Save";
constexpr const char* kScaleKey = "Scale";
constexpr const char* kJpegPattern = "*.jpg;*.jpeg";
}  // namespace

String SaveScaleFilter(int pageWidth, int pageHeight) {
  String filter;
  for (int scale : kSaveScales) {
    if (!filter.empty()) filter += "|";
    filter += scale == 1 ? String("JPEG ファイル")
                         : "JPEG ファイル " + IntToStr(scale) + "倍 " + IntToStr(pageWidth * scale) + "×" +
                               IntToStr(pageHeight * scale);
    filter += String(" (") + kJpegPattern + ")|" + kJpegPattern;
  }
  return filter;
}

int ScaleOfFileType(int filterIndex) {
  return filterIndex >= 1 && filterIndex <= int(kSaveScales.size()) ? kSaveScales[std::size_t(filterIndex - 1)] : 1;
}

int FileTypeOfScale(int scale) {
  const auto at = std::find(kSaveScales.begin(), kSaveScales.end(), scale);
  return at == kSaveScales.end() ? 1 : int(at - kSaveScales.begin()) + 1;
}

int RememberedSaveScale(TCustomIniFile& settings) {
  const int scale = settings.ReadInteger(kSection, kScaleKey, 1);
  return std::find(kSaveScales.begin(), kSaveScales.end(), scale) == kSaveScales.end() ? 1 : scale;
}

void RememberSaveScale(const TSettingsPlace& settings, int scale) {
  try {
    PrepareSettingsWrite(settings);
    TIniFile(settings.WriteTo).WriteInteger(kSection, kScaleKey, scale);
  } catch (const EIniFileException&) {
    // The comic matters more than the setting: it is saved at the scale chosen all the same.
  }
}
