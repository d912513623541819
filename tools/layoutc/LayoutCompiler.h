// TLayoutCompiler: turns the readable text form of a window layout into the binary component
// stream, writing records directly (no component classes are needed at build time).
//
// The text, UTF-8:
//   # comment line
//   object MainForm1: TMainForm1
//     Left = 157                      integers (optionally negative), identifiers, True/False
//     Caption = 'Tavelko'             text in single quotes, '' for a quote
//     BorderIcons = [biSystemMenu]    sets
//     Lines.Strings = ( 'one' 'two' ) lists, over several lines if need be
//     Picture.Data = picture TBitmap 'pictures/Frame1.bmp'   a graphic from a BMP file
//     Glyph.Data = bitmap 'pictures/ModeGlyph.bmp'           a bitmap from a BMP file
//     object Child1: TShape ... end   child records, after the properties
//   end
#pragma once

#include <functional>
#include <vector>

#include "framework/core/Exception.h"

class TMemoryStream;
class TStream;
class TValueWriter;

// A fault in the layout text, with the line it was found on.
class ELayoutError : public Exception {
 public:
  ELayoutError(int line, const String& text) : Exception("line " + IntToStr(line) + ": " + text), line_(line) {}
  int Line() const { return line_; }

 private:
  int line_;
};

class TLayoutCompiler {
 public:
  // A named object of the layout, as its text gives it.
  struct TObject {
    std::string name;
    std::string className;
    int line;
  };

  // Fills `contents` with the file at `path`, or throws.
  using TFileLoader = std::function<void(const String& path, TMemoryStream& contents)>;

  // Files named in the layout are read from disk relative to baseDir (ending with a path
  // delimiter).
  explicit TLayoutCompiler(String baseDir);
  // The same with files from `load` (the fuzz targets keep the compiler off the disk).
  TLayoutCompiler(String baseDir, TFileLoader load);

  // Writes the stream for `text` (UTF-8) to `output`. ELayoutError for faults in the text.
  void Compile(const std::string& text, TStream& output);
  // The files read by the last Compile, as their paths were formed.
  const std::vector<String>& FilesRead() const { return filesRead_; }
  // The objects of the last Compile in the order of the text: the root first.
  const std::vector<TObject>& Objects() const { return objects_; }

 private:
  struct TToken {
    enum class Kind { Identifier, Integer, Float, Text, Symbol, End };
    Kind kind = Kind::End;
    std::string text;  // identifier, symbol character, or the text without its quotes
    int line = 0;
  };

  void Tokenize(const std::string& text);
  void ParseObject(TValueWriter& writer, int depth);
  void ParseValue(TValueWriter& writer, int depth);
  void WriteText(TValueWriter& writer, const TToken& token);
  void WriteFileData(TValueWriter& writer, const TToken& fileName, const String& graphicClass);

  const TToken& Peek(std::size_t ahead = 0) const;
  TToken Next();
  TToken Expect(TToken::Kind kind, const char* what);
  void ExpectSymbol(char symbol);
  bool AtSymbol(char symbol) const;
  bool AtWord(const char* word) const;

  String baseDir_;
  TFileLoader load_;
  std::vector<TToken> tokens_;
  std::size_t at_ = 0;
  std::vector<String> filesRead_;
  std::vector<TObject> objects_;
};
