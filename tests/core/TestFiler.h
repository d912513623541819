// A filer over a list of plain values: what a class's DefineProperties writes can be checked and
// read back without the binary stream format.
#pragma once

#include <map>
#include <variant>
#include <vector>

#include "framework/core/Filer.h"

struct TListBegin {};
struct TListEnd {};
using TTestValue = std::variant<bool, std::int64_t, long double, String, WideString, TListBegin, TListEnd>;

class TTestWriter : public TWriter {
 public:
  std::map<String, std::vector<TTestValue>> properties;

  void DefineProperty(const String& name, const TReaderProc&, const TWriterProc& writeData, bool hasData) override {
    if (!hasData) return;
    current_ = &properties[name];
    writeData(*this);
  }
  void DefineBinaryProperty(const String&, const TStreamProc&, const TStreamProc&, bool) override {}
  TComponent* Root() const override { return nullptr; }
  void WriteBoolean(bool v) override { current_->push_back(v); }
  void WriteInteger(std::int64_t v) override { current_->push_back(v); }
  void WriteFloat(long double v) override { current_->push_back(v); }
  void WriteString(const String& v) override { current_->push_back(v); }
  void WriteWideString(const WideString& v) override { current_->push_back(v); }
  void WriteIdent(const String& v) override { current_->push_back(v); }
  void WriteListBegin() override { current_->push_back(TListBegin{}); }
  void WriteListEnd() override { current_->push_back(TListEnd{}); }

 private:
  std::vector<TTestValue>* current_ = nullptr;
};

class TTestReader : public TReader {
 public:
  explicit TTestReader(std::map<String, std::vector<TTestValue>> properties) : properties_(std::move(properties)) {}

  void DefineProperty(const String& name, const TReaderProc& readData, const TWriterProc&, bool) override {
    auto it = properties_.find(name);
    if (it == properties_.end()) return;
    values_ = it->second;
    next_ = 0;
    readData(*this);
  }
  void DefineBinaryProperty(const String&, const TStreamProc&, const TStreamProc&, bool) override {}
  TComponent* Root() const override { return nullptr; }
  TValueType NextValue() override {
    return std::holds_alternative<TListEnd>(values_.at(next_)) ? TValueType::vaNull : TValueType::vaString;
  }
  bool ReadBoolean() override { return std::get<bool>(values_.at(next_++)); }
  int ReadInteger() override { return static_cast<int>(std::get<std::int64_t>(values_.at(next_++))); }
  std::int64_t ReadInt64() override { return std::get<std::int64_t>(values_.at(next_++)); }
  long double ReadFloat() override { return std::get<long double>(values_.at(next_++)); }
  String ReadString() override { return std::get<String>(values_.at(next_++)); }
  WideString ReadWideString() override { return std::get<WideString>(values_.at(next_++)); }
  String ReadIdent() override { return ReadString(); }
  void ReadListBegin() override { std::get<TListBegin>(values_.at(next_++)); }
  bool EndOfList() override { return std::holds_alternative<TListEnd>(values_.at(next_)); }
  void ReadListEnd() override { std::get<TListEnd>(values_.at(next_++)); }
  void SkipValue() override { ++next_; }

 private:
  std::map<String, std::vector<TTestValue>> properties_;
  std::vector<TTestValue> values_;
  std::size_t next_ = 0;
};
