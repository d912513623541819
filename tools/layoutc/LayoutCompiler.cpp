// TLayoutCompiler: tokens, the object/property grammar, and the values it writes.
#include "tools/layoutc/LayoutCompiler.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <string_view>

#include "framework/core/Stream.h"
#include "streaming/StreamFormat.h"
#include "streaming/ValueWriter.h"

namespace {

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsAscii(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

bool IsAbsolutePath(const String& path) {
  return !path.empty() && (path[0] == '/' || path[0] == '\\' || path.find(':') != String::npos);
}

}  // namespace

TLayoutCompiler::TLayoutCompiler(String baseDir, TFileLoader load)
    : baseDir_(std::move(baseDir)), load_(std::move(load)) {}

void TLayoutCompiler::Compile(const std::string& text, TStream& output) {
  tokens_.clear();
  at_ = 0;
  filesRead_.clear();
  objects_.clear();
  Tokenize(text);
  TValueWriter writer(output);
  writer.WriteSignature();
  ParseObject(writer, 0);
  if (Peek().kind != TToken::Kind::End) throw ELayoutError(Peek().line, "text after the last end");
  writer.FlushBuffer();
}

// ---- Tokens ----

void TLayoutCompiler::Tokenize(const std::string& text) {
  int line = 1;
  bool lineStart = true;
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto push = [&](TToken::Kind kind, std::string value) { tokens_.push_back({kind, std::move(value), line}); };
  while (i < n) {
    const char c = text[i];
    if (c == '\n') {
      ++line;
      ++i;
      lineStart = true;
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\r') {
      ++i;
      continue;
    }
    if (c == '#' && lineStart) {
      while (i < n && text[i] != '\n') ++i;
      continue;
    }
    lineStart = false;
    const std::size_t start = i;
    if (IsLetter(c)) {
      while (i < n && (IsLetter(text[i]) || IsDigit(text[i]) || text[i] == '.')) ++i;
      if (i - start > 255) throw ELayoutError(line, "name longer than 255 characters");
      push(TToken::Kind::Identifier, text.substr(start, i - start));
    } else if (IsDigit(c) || (c == '-' && i + 1 < n && IsDigit(text[i + 1]))) {
      ++i;
      while (i < n && IsDigit(text[i])) ++i;
      bool isFloat = false;
      if (i + 1 < n && text[i] == '.' && IsDigit(text[i + 1])) {
        isFloat = true;
        for (++i; i < n && IsDigit(text[i]);) ++i;
      }
      if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        isFloat = true;
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        while (i < n && IsDigit(text[i])) ++i;
      }
      push(isFloat ? TToken::Kind::Float : TToken::Kind::Integer, text.substr(start, i - start));
    } else if (c == '$') {
      for (++i; i < n && std::isxdigit(static_cast<unsigned char>(text[i]));) ++i;
      push(TToken::Kind::Integer, text.substr(start, i - start));
    } else if (c == '\'') {
      std::string value;
      for (++i;; ++i) {
        if (i >= n || text[i] == '\n') throw ELayoutError(line, "text without its closing quote");
        if (text[i] == '\'') {
          if (i + 1 < n && text[i + 1] == '\'') {
            value += '\'';
            ++i;
            continue;
          }
          ++i;
          break;
        }
        value += text[i];
      }
      push(TToken::Kind::Text, std::move(value));
    } else if (std::string_view(":=[](),").find(c) != std::string_view::npos) {
      push(TToken::Kind::Symbol, std::string(1, c));
      ++i;
    } else {
      throw ELayoutError(line, "unexpected character '" + std::string(1, c) + "'");
    }
  }
  // A missing end is reported at the last line that holds something.
  tokens_.push_back({TToken::Kind::End, std::string(), tokens_.empty() ? 1 : tokens_.back().line});
}

const TLayoutCompiler::TToken& TLayoutCompiler::Peek(std::size_t ahead) const {
  return tokens_[std::min(at_ + ahead, tokens_.size() - 1)];
}

TLayoutCompiler::TToken TLayoutCompiler::Next() {
  TToken token = Peek();
  if (at_ < tokens_.size() - 1) ++at_;
  return token;
}

TLayoutCompiler::TToken TLayoutCompiler::Expect(TToken::Kind kind, const char* what) {
  if (Peek().kind != kind) throw ELayoutError(Peek().line, String(what) + " expected");
  return Next();
}

void TLayoutCompiler::ExpectSymbol(char symbol) {
  if (!AtSymbol(symbol)) throw ELayoutError(Peek().line, "'" + std::string(1, symbol) + "' expected");
  Next();
}

bool TLayoutCompiler::AtSymbol(char symbol) const {
  return Peek().kind == TToken::Kind::Symbol && Peek().text[0] == symbol;
}

bool TLayoutCompiler::AtWord(const char* word) const {
  return Peek().kind == TToken::Kind::Identifier && SameText(Peek().text, word);
}

// ---- Grammar ----

void TLayoutCompiler::ParseObject(TValueWriter& writer, int depth) {
  if (depth > streamformat::MaxRecordDepth) throw ELayoutError(Peek().line, "objects nested too deeply");
  if (!AtWord("object")) throw ELayoutError(Peek().line, "'object' expected");
  Next();
  const TToken name = Expect(TToken::Kind::Identifier, "component name");
  ExpectSymbol(':');
  const TToken className = Expect(TToken::Kind::Identifier, "class name");
  objects_.push_back({name.text, className.text, name.line});
  writer.WriteShortString(className.text);
  writer.WriteShortString(name.text);
  while (Peek().kind == TToken::Kind::Identifier && !AtWord("object") && !AtWord("end")) {
    const TToken path = Next();
    ExpectSymbol('=');
    // The value starts on the line of its name; only lists go on over further lines.
    if (Peek().line != path.line) throw ELayoutError(path.line, "a value expected");
    writer.WriteShortString(path.text);
    ParseValue(writer, 0);
  }
  writer.WriteListEnd();
  while (AtWord("object")) ParseObject(writer, depth + 1);
  if (Peek().kind == TToken::Kind::Identifier && !AtWord("end"))
    throw ELayoutError(Peek().line, "properties belong before the child objects");
  if (!AtWord("end")) throw ELayoutError(Peek().line, "'end' expected");
  Next();
  writer.WriteListEnd();
}

void TLayoutCompiler::ParseValue(TValueWriter& writer, int depth) {
  if (depth > streamformat::MaxValueDepth) throw ELayoutError(Peek().line, "lists nested too deeply");
  const TToken token = Next();
  switch (token.kind) {
    case TToken::Kind::Integer: {
      std::int64_t value;
      try {
        value = StrToInt64(token.text);
      } catch (const EConvertError&) {
        throw ELayoutError(token.line, "integer out of range: " + token.text);
      }
      writer.WriteInteger(value);
      return;
    }
    case TToken::Kind::Float: {
      long double value;
      if (!TryStrToFloat(token.text, value)) throw ELayoutError(token.line, "not a number: " + token.text);
      writer.WriteFloat(value);
      return;
    }
    case TToken::Kind::Text: WriteText(writer, token); return;
    case TToken::Kind::Identifier:
      if (SameText(token.text, "picture") && Peek().kind == TToken::Kind::Identifier &&
          Peek(1).kind == TToken::Kind::Text) {
        const TToken graphicClass = Next();
        WriteFileData(writer, Next(), graphicClass.text);
      } else if (SameText(token.text, "bitmap") && Peek().kind == TToken::Kind::Text) {
        WriteFileData(writer, Next(), String());
      } else {
        writer.WriteIdent(token.text);
      }
      return;
    case TToken::Kind::Symbol:
      if (token.text[0] == '[') {
        std::vector<String> members;
        while (!AtSymbol(']')) {
          members.push_back(Expect(TToken::Kind::Identifier, "set member").text);
          if (!AtSymbol(',')) break;
          Next();
        }
        ExpectSymbol(']');
        writer.WriteSet(members);
        return;
      }
      if (token.text[0] == '(') {
        writer.WriteListBegin();
        while (!AtSymbol(')')) {
          if (Peek().kind == TToken::Kind::End) throw ELayoutError(token.line, "list without its ')'");
          ParseValue(writer, depth + 1);
        }
        Next();
        writer.WriteListEnd();
        return;
      }
      break;
    default:
      break;
  }
  throw ELayoutError(token.line, "a value expected");
}

// ASCII text by the stream's text rule; other text as wide text, once it is known to have a
// code page 932 form (the program holds its text in that code page).
void TLayoutCompiler::WriteText(TValueWriter& writer, const TToken& token) {
  if (IsAscii(token.text)) {
    writer.WriteText(token.text);
    return;
  }
  const WideString wide = Utf8ToWide(token.text);
  if (CP932ToWide(WideToCP932(wide)) != wide)
    throw ELayoutError(token.line, "text with characters code page 932 does not have");
  writer.WriteWString(wide);
}

// Picture data: the graphic's class name, then its data (a 4-byte size and the file); a bitmap
// of its own (graphicClass empty): just the size and the file.
void TLayoutCompiler::WriteFileData(TValueWriter& writer, const TToken& fileName, const String& graphicClass) {
  const String name = Utf8ToCP932(fileName.text);
  const String path = IsAbsolutePath(name) ? name : baseDir_ + name;
  TMemoryStream file;
  try {
    load_(path, file);
  } catch (const Exception& e) {
    throw ELayoutError(fileName.line, "cannot read " + name + ": " + e.Message());
  }
  filesRead_.push_back(path);
  const std::int64_t size = file.Size();
  const bool bitmap = graphicClass.empty() || graphicClass == "TBitmap";
  if (bitmap && (size < 14 || file.Memory()[0] != 'B' || file.Memory()[1] != 'M'))
    throw ELayoutError(fileName.line, name + " is not a BMP file");
  if (graphicClass.size() > 255) throw ELayoutError(fileName.line, "graphic class name too long");
  const std::int64_t total = (graphicClass.empty() ? 0 : 1 + static_cast<std::int64_t>(graphicClass.size())) + 4 + size;
  if (total > std::numeric_limits<std::int32_t>::max()) throw ELayoutError(fileName.line, name + " is too large");
  writer.WriteValueType(TValueType::vaBinary);
  writer.WriteUInt32(static_cast<std::uint32_t>(total));
  if (!graphicClass.empty()) writer.WriteShortString(graphicClass);
  writer.WriteUInt32(static_cast<std::uint32_t>(size));
  writer.WriteBytes(file.Memory(), static_cast<std::size_t>(size));
}
