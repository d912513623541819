/// @file
/// TGraphic: the base of the pictures a canvas draws (bitmaps, JPEG images): size, transparency,
/// loading and saving, and the "Data" that the component stream keeps of them.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/Event.h"
#include "framework/core/Persistent.h"
#include "framework/core/Stream.h"
#include "framework/graphics/Geometry.h"

class TCanvas;

/// Base of the pictures a canvas draws (TBitmap, TJPEGImage): a size in pixels, whole-file loading
/// and saving, and the "Data" property through which the component stream stores the picture.
/// Draw it with TCanvas::Draw or StretchDraw; hold one of any kind in a TPicture.
///
/// Like the whole framework, graphics are used only on the thread that runs the message loop.
/// Loading is all-or-nothing: bad data raises EInvalidGraphic and leaves the graphic as it was.
class TGraphic : public TPersistent {
  TAVELKO_CLASS(TGraphic, TPersistent)

 public:
  // ---- What descendants supply ----
  /// True when there is no picture (nothing loaded or assigned; a bitmap without pixels); an
  /// empty graphic draws nothing and stores no "Data".
  virtual bool Empty() const = 0;
  /// The picture's size in pixels; 0 when empty.
  ///@{
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  ///@}
  /// Resizes the picture, in pixels. A bitmap keeps its top-left pixels; a kind whose size comes
  /// from its data (a JPEG image) raises EInvalidGraphicOperation.
  ///@{
  virtual void SetWidth(int width) = 0;
  virtual void SetHeight(int height) = 0;
  ///@}
  /// Reads a whole file held in memory (the graphic may keep the buffer). It is checked completely
  /// before anything changes: bad data raises EInvalidGraphic and leaves the graphic as it was.
  virtual void LoadFromBytes(std::vector<std::uint8_t> data) = 0;
  /// The graphic as a complete file; EInvalidGraphicOperation when it is empty.
  virtual std::vector<std::uint8_t> SaveToBytes() = 0;

  /// What copies made by Assign share (the graphic itself when they share nothing): graphics with
  /// the same shared data show the same picture. SharedDataSize: about how many bytes it holds.
  ///@{
  virtual const void* SharedData() const { return this; }
  virtual std::size_t SharedDataSize() const { return 0; }
  ///@}

  // ---- Operations ----
  /// Whether drawing leaves some pixels of what lies beneath visible (for a bitmap: those of its
  /// TransparentColor). Off at first; a kind without transparency ignores it.
  ///@{
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool transparent);
  ///@}

  /// The rest of the stream, from its position to its end, is the file (at most 1 GiB, otherwise
  /// EInvalidGraphic).
  void LoadFromStream(TStream& stream);
  /// Writes the complete file at the stream's position (SaveToBytes).
  void SaveToStream(TStream& stream);
  /// Reads the whole file `fileName` (CP932 path); EFOpenError when it cannot be opened.
  void LoadFromFile(const String& fileName);
  /// The file is written under a temporary name that then replaces fileName, so a failed save
  /// leaves an existing file as it was.
  void SaveToFile(const String& fileName);

  /// The graphic's data in a picture's or a glyph's "Data": a 32-bit little-endian byte count, then
  /// the file. ReadData checks the count against the bytes actually there.
  ///@{
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);
  ///@}
  /// Declares "Data" (ReadData, WriteData), stored only when the graphic is not empty.
  void DefineProperties(TFiler& filer) override;

  /// Raised with the graphic as the sender after the picture or a property changed (drawing on a
  /// bitmap's canvas included); a single handler, usually set by the TPicture that holds it.
  ///@{
  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }
  ///@}

 protected:
  friend class TCanvas;
  /// Draws the graphic into rect of the canvas, stretched to fit. Called by TCanvas::Draw and
  /// StretchDraw, never for an empty graphic; draw with the canvas's CopyMode where it applies.
  virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
  /// Raises OnChange; call it after every change of the picture or its properties.
  void Changed() { onChange_(this); }

 private:
  bool transparent_ = false;
  TNotifyEvent onChange_;
};
