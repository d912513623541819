// TFont: the GDI font of a canvas, made from its properties on first use or given as a handle.
#include "framework/graphics/Font.h"

#include <algorithm>

#include "framework/graphics/GraphicErrors.h"

namespace {

int ScreenPixelsPerInch() {
  static const int dpi = [] {
    gdi::WindowDC screen(nullptr);
    int value = screen ? ::GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
    return value > 0 ? value : 96;
  }();
  return dpi;
}

}  // namespace

const TTypeInfo& TypeInfoOf(TypeTag<TFontStyle>) {
  static const TTypeInfo info = MakeEnumType("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});
  return info;
}

const TTypeInfo& TypeInfoOf(TypeTag<TFontPitch>) {
  static const TTypeInfo info = MakeEnumType("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"});
  return info;
}

const TTypeInfo& CharsetTypeInfo() {
  static const TTypeInfo info = MakeIntegerType(
      "TFontCharset", 0, 255,
      {{ANSI_CHARSET, "ANSI_CHARSET"}, {DEFAULT_CHARSET, "DEFAULT_CHARSET"}, {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
       {MAC_CHARSET, "MAC_CHARSET"}, {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"}, {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
       {JOHAB_CHARSET, "JOHAB_CHARSET"}, {GB2312_CHARSET, "GB2312_CHARSET"},
       {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"}, {GREEK_CHARSET, "GREEK_CHARSET"},
       {TURKISH_CHARSET, "TURKISH_CHARSET"}, {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
       {HEBREW_CHARSET, "HEBREW_CHARSET"}, {ARABIC_CHARSET, "ARABIC_CHARSET"}, {BALTIC_CHARSET, "BALTIC_CHARSET"},
       {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"}, {THAI_CHARSET, "THAI_CHARSET"},
       {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"}, {OEM_CHARSET, "OEM_CHARSET"}});
  return info;
}

void TFont::Publish(TPublisher<TFont>& p) {
  p.Prop("Charset", &TFont::Charset, &TFont::SetCharset).Type(CharsetTypeInfo());
  p.Prop("Color", &TFont::Color, &TFont::SetColor).Type(ColorTypeInfo());
  p.Prop("Height", &TFont::Height, &TFont::SetHeight);
  p.Prop("Name", &TFont::Name, &TFont::SetName);
  p.Prop("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
  p.Prop("Size", &TFont::Size, &TFont::SetSize).Stored(false);
  p.Prop("Style", &TFont::Style, &TFont::SetStyle);
}

// The page's own face at 9 points: Japanese text shows whatever the system's language.
TFont::TFont() : name_("ＭＳ Ｐゴシック"), pixelsPerInch_(ScreenPixelsPerInch()) {
  height_ = -::MulDiv(9, pixelsPerInch_, 72);
}

template <class T>
void TFont::Update(T& field, const T& value) {
  if (field == value) return;
  field = value;
  handle_.reset();
  handleGiven_ = false;
  Changed();
}

void TFont::SetName(const String& name) { Update(name_, name); }
void TFont::SetHeight(int height) { Update(height_, height); }
void TFont::SetStyle(TFontStyles style) { Update(style_, style); }
void TFont::SetCharset(TFontCharset charset) { Update(charset_, charset); }
void TFont::SetPitch(TFontPitch pitch) { Update(pitch_, pitch); }

void TFont::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;  // a text colour of the DC, not part of the GDI font
  Changed();
}

int TFont::Size() const { return -::MulDiv(height_, 72, pixelsPerInch_); }
void TFont::SetSize(int points) { SetHeight(-::MulDiv(points, pixelsPerInch_, 72)); }

bool TFont::SameProperties(const TFont& other) const {
  return name_ == other.name_ && height_ == other.height_ && style_ == other.style_ && color_ == other.color_ &&
         charset_ == other.charset_ && pitch_ == other.pitch_;
}

void TFont::Assign(TPersistent* source) {
  auto* font = dynamic_cast<TFont*>(source);
  if (!font) return TGraphicsObject::Assign(source);
  // Painting assigns the same font over and over: keep the GDI font then, unless it was given.
  if (SameProperties(*font) && !handleGiven_) return;
  name_ = font->name_;
  height_ = font->height_;
  style_ = font->style_;
  color_ = font->color_;
  charset_ = font->charset_;
  pitch_ = font->pitch_;
  handle_.reset();
  handleGiven_ = false;
  Changed();
}

SharedGdiObject<HFONT> TFont::SharedHandle() {
  if (!handle_) {
    LOGFONTW font{};
    font.lfHeight = height_;
    font.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = style_.Contains(fsItalic);
    font.lfUnderline = style_.Contains(fsUnderline);
    font.lfStrikeOut = style_.Contains(fsStrikeOut);
    font.lfCharSet = charset_;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    WideString face = CP932ToWide(name_);
    face.resize(std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    std::copy(face.begin(), face.end(), font.lfFaceName);
    handle_ = MakeSharedGdiObject(::CreateFontIndirectW(&font));
  }
  return handle_;
}

void TFont::SetHandle(HFONT font) {
  LOGFONTW info{};
  if (!font || ::GetObjectW(font, sizeof info, &info) != sizeof info)
    throw EInvalidGraphicOperation("The handle given to a font is not a font");
  name_ = WideToCP932(WideString(info.lfFaceName, wcsnlen(info.lfFaceName, LF_FACESIZE)));
  height_ = info.lfHeight;
  style_ = {};
  if (info.lfWeight >= FW_BOLD) style_ += fsBold;
  if (info.lfItalic) style_ += fsItalic;
  if (info.lfUnderline) style_ += fsUnderline;
  if (info.lfStrikeOut) style_ += fsStrikeOut;
  charset_ = info.lfCharSet;
  int pitch = info.lfPitchAndFamily & 3;
  pitch_ = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  handle_ = MakeSharedGdiObject(font);
  handleGiven_ = true;
  Changed();
}
