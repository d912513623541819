// A test double of the clipboard service: a clipboard of this process alone, with data blocks by
// format and a record of the calls, so that tests never touch the desktop's shared clipboard.
#pragma once

#include <windows.h>

#include <map>

#include "framework/stdctrls/Clipboard.h"

class TPrivateClipboard : public TClipboardService {
 public:
  TPrivateClipboard() = default;
  TPrivateClipboard(const TPrivateClipboard&) = delete;
  TPrivateClipboard& operator=(const TPrivateClipboard&) = delete;
  ~TPrivateClipboard() override { Empty(); }

  UINT RegisterFormat(const String& name) override {
    const auto found = formats.find(name);
    if (found != formats.end()) return found->second;
    const UINT format = 0xC000 + static_cast<UINT>(formats.size());
    formats[name] = format;
    return format;
  }
  bool Open() override {
    ++opens;
    return !busy;
  }
  void Close() override { ++closes; }
  bool Empty() override {
    ++empties;
    for (auto& [format, block] : data) GlobalFree(block);
    data.clear();
    return true;
  }
  bool SetData(UINT format, HANDLE block) override {
    if (data.count(format)) GlobalFree(data[format]);
    data[format] = block;
    return true;
  }
  HANDLE GetData(UINT format) override { return data.count(format) ? data[format] : nullptr; }
  bool IsFormatAvailable(UINT format) override { return data.count(format) != 0; }

  std::map<String, UINT> formats;
  std::map<UINT, HANDLE> data;  // owned
  int opens = 0, closes = 0, empties = 0;
  bool busy = false;  // Open fails, as when another program holds the clipboard
};
