/// @file
/// TFont: face, size, style, colour and character set of the text a canvas draws.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/core/Set.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObject.h"

enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };
/// A Windows character set: SHIFTJIS_CHARSET (128), DEFAULT_CHARSET (1)...
using TFontCharset = std::uint8_t;

const TTypeInfo& TypeInfoOf(TypeTag<TFontStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TFontPitch>);
/// Character sets by their Windows names ("SHIFTJIS_CHARSET"), as the component stream writes them.
const TTypeInfo& CharsetTypeInfo();

class TFont : public TGraphicsObject {
  TAVELKO_CLASS(TFont, TGraphicsObject)
  static void Publish(TPublisher<TFont>& p);

 public:
  TFont();
  void Assign(TPersistent* source) override;

  const String& Name() const { return name_; }  ///< CP932
  void SetName(const String& name);
  /// Pixels: negative for the character height, positive for the cell height (as LOGFONT).
  int Height() const { return height_; }
  void SetHeight(int height);
  /// Points, from Height at PixelsPerInch.
  int Size() const;
  void SetSize(int points);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset charset);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);
  int PixelsPerInch() const { return pixelsPerInch_; }

  /// The font made from the properties on first use (CreateFontIndirectW, the name converted from
  /// CP932), owned by this object.
  HFONT Handle() { return SharedHandle()->Get(); }
  SharedGdiObject<HFONT> SharedHandle();
  /// Takes ownership of `font` (for example one turned by an escapement) and reads the properties
  /// back from it; the next property change makes a font from the properties again.
  /// EInvalidGraphicOperation when `font` is not a font, and then the caller keeps it.
  void SetHandle(HFONT font);

 private:
  template <class T>
  void Update(T& field, const T& value);
  bool SameProperties(const TFont& other) const;

  String name_;
  int height_;
  TFontStyles style_;
  TColor color_ = clWindowText;
  TFontCharset charset_ = SHIFTJIS_CHARSET;
  TFontPitch pitch_ = fpDefault;
  int pixelsPerInch_;
  SharedGdiObject<HFONT> handle_;
  bool handleGiven_ = false;  ///< handle_ came from SetHandle, not from the properties
};
