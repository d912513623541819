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

class TGraphic : public TPersistent {
  TAVELKO_CLASS(TGraphic, TPersistent)

 public:
  // ---- What descendants supply ----
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int width) = 0;
  virtual void SetHeight(int height) = 0;
  /// Reads a whole file held in memory (the graphic may keep the buffer). It is checked completely
  /// before anything changes: bad data raises EInvalidGraphic and leaves the graphic as it was.
  virtual void LoadFromBytes(std::vector<std::uint8_t> data) = 0;
  /// The graphic as a complete file.
  virtual std::vector<std::uint8_t> SaveToBytes() = 0;

  /// What copies made by Assign share (the graphic itself when they share nothing): graphics with
  /// the same shared data show the same picture. SharedDataSize: about how many bytes it holds.
  virtual const void* SharedData() const { return this; }
  virtual std::size_t SharedDataSize() const { return 0; }

  // ---- Operations ----
  bool Transparent() const { return transparent_; }
  virtual void SetTransparent(bool transparent);

  /// The rest of the stream, from its position to its end, is the file.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream);
  void LoadFromFile(const String& fileName);
  /// The file is written under a temporary name that then replaces fileName, so a failed save
  /// leaves an existing file as it was.
  void SaveToFile(const String& fileName);

  /// The graphic's data in a picture's or a glyph's "Data": a 32-bit little-endian byte count, then
  /// the file. ReadData checks the count against the bytes actually there.
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);
  void DefineProperties(TFiler& filer) override;

  const TNotifyEvent& OnChange() const { return onChange_; }
  void SetOnChange(const TNotifyEvent& handler) { onChange_ = handler; }

 protected:
  friend class TCanvas;
  /// Draws the graphic into rect of the canvas, stretched to fit.
  virtual void Draw(TCanvas& canvas, const TRect& rect) = 0;
  /// Called after every change of the picture or its properties.
  void Changed() { onChange_(this); }

 private:
  bool transparent_ = false;
  TNotifyEvent onChange_;
};
