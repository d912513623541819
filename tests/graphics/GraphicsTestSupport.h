// What the graphics tests share beyond the shared test support: a filer that keeps the binary
// property a graphic declares.
#pragma once

#include "framework/core/Filer.h"

namespace graphics_test {

// Keeps the binary property DefineProperties declares, as the stream writer and reader see it.
class RecordingFiler : public TFiler {
 public:
  void DefineProperty(const String&, const TReaderProc&, const TWriterProc&, bool) override {}
  void DefineBinaryProperty(const String& name, const TStreamProc& read, const TStreamProc& write,
                            bool hasData) override {
    this->name = name;
    this->read = read;
    this->write = write;
    this->hasData = hasData;
  }
  TComponent* Root() const override { return nullptr; }

  String name;
  TStreamProc read, write;
  bool hasData = false;
};

}  // namespace graphics_test
