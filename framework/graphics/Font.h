/// @file
/// TFont: face, size, style, colour and character set of the text a canvas draws.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/core/Set.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/GraphicsObject.h"

/// One style of a font's face.
enum TFontStyle : std::uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
/// The styles of a font, any combination.
using TFontStyles = TSet<TFontStyle>;
/// Pitch a font asks for: the face's own (fpDefault), proportional or fixed.
enum TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };
/// A Windows character set: SHIFTJIS_CHARSET (128), DEFAULT_CHARSET (1)...
using TFontCharset = std::uint8_t;

/// The type data of the font's enumerations, for publishing and streaming properties by the value
/// names.
///@{
const TTypeInfo& TypeInfoOf(TypeTag<TFontStyle>);
const TTypeInfo& TypeInfoOf(TypeTag<TFontPitch>);
///@}
/// Character sets by their Windows names ("SHIFTJIS_CHARSET"), as the component stream writes them.
const TTypeInfo& CharsetTypeInfo();

/// How a canvas draws text. Published as "Charset", "Color", "Height", "Name", "Pitch" and "Style"
/// ("Size" too, not stored). A new font is "ＭＳ Ｐゴシック" at 9 points, Shift-JIS, in clWindowText,
/// so that Japanese text shows on a Windows of any language.
class TFont : public TGraphicsObject {
  TAVELKO_CLASS(TFont, TGraphicsObject)
  static void Publish(TPublisher<TFont>& p);

 public:
  TFont();
  void Assign(TPersistent* source) override;

  /// Face name, CP932 ("ＭＳ Ｐゴシック"); Windows picks the closest face when it is not installed.
  ///@{
  const String& Name() const { return name_; }
  void SetName(const String& name);
  ///@}
  /// Pixels: negative for the character height, positive for the cell height (as LOGFONT).
  ///@{
  int Height() const { return height_; }
  void SetHeight(int height);
  ///@}
  /// Points, from Height at PixelsPerInch; setting it sets a negative Height (character height).
  ///@{
  int Size() const;
  void SetSize(int points);
  ///@}
  /// Bold, italic, underline, strike-out.
  ///@{
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  ///@}
  /// Text colour; a property of the DC, not of the GDI font, so changing it keeps the handle.
  ///@{
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  ///@}
  /// Character set the face is chosen for (SHIFTJIS_CHARSET by default).
  ///@{
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset charset);
  ///@}
  /// Pitch asked of Windows when it picks the face.
  ///@{
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);
  ///@}
  /// Resolution of the screen (LOGPIXELSY, 96 when unknown) with which Size and Height convert.
  int PixelsPerInch() const { return pixelsPerInch_; }

  /// The font made from the properties on first use (CreateFontIndirectW, the name converted from
  /// CP932), owned by this object: valid until the next change of a property other than Color, a
  /// SetHandle or the font's destruction.
  HFONT Handle() { return SharedHandle()->Get(); }
  /// The same GDI font, shared with whoever keeps the pointer (a canvas that selected it).
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
