// Test doubles of the framework's services.
#include "tests/support/ServiceDoubles.h"

namespace test_support {

namespace {

String ItemText(HMENU menu, int index) {
  wchar_t text[80] = {};
  GetMenuStringW(menu, static_cast<UINT>(index), text, 80, MF_BYPOSITION);
  return WideToCP932(text);
}

// The command of the item whose text is `text`, searching submenus too; 0 when there is none.
UINT CommandOf(HMENU menu, const String& text) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    if (HMENU submenu = GetSubMenu(menu, i)) {
      if (const UINT command = CommandOf(submenu, text)) return command;
    } else if (ItemText(menu, i) == text) {
      return GetMenuItemID(menu, i);
    }
  }
  return 0;
}

}  // namespace

TModalResult TScriptedDialogs::Show(const TMessageRequest& request) {
  Requests.push_back(request);
  if (Answers.empty()) return DefaultAnswer;
  const TModalResult answer = Answers.front();
  Answers.pop_front();
  return answer;
}

INT_PTR TRecordingShell::Execute(HWND window, const String& operation, const String& file, const String& parameters,
                                 const String& directory, int show) {
  Calls.push_back({window, operation, file, parameters, directory, show});
  return Result;
}

bool TScriptedFileDialogs::Execute(TFileDialogRequest& request) {
  Requests.push_back(request);
  if (Answers.empty()) return false;
  const std::optional<String> answer = Answers.front();
  Answers.pop_front();
  if (!answer) return false;
  request.FileName = *answer;
  if (FileType) request.FilterIndex = *FileType;
  return true;
}

UINT TChoosingTracker::Track(HMENU menu, int x, int y, HWND) {
  at = {x, y};
  shown.clear();
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const String text = ItemText(menu, i);
    shown.push_back(text.empty() ? String("-") : text);
  }
  return CommandOf(menu, choose);
}

UINT TPrivateClipboard::RegisterFormat(const String& name) {
  const auto found = formats.find(name);
  if (found != formats.end()) return found->second;
  const UINT format = 0xC000 + static_cast<UINT>(formats.size());
  formats[name] = format;
  return format;
}

bool TPrivateClipboard::Open() {
  ++opens;
  return !busy;
}

bool TPrivateClipboard::Empty() {
  ++empties;
  for (auto& [format, block] : data) GlobalFree(block);
  data.clear();
  return true;
}

bool TPrivateClipboard::SetData(UINT format, HANDLE block) {
  if (data.count(format)) GlobalFree(data[format]);
  data[format] = block;
  return true;
}

}  // namespace test_support
