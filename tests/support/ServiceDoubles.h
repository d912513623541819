// Test doubles of the framework's services: they record every request and answer from a script,
// so that tests run dialogs, message boxes, menus, the clipboard and shell calls without a person,
// a browser or the desktop's shared clipboard.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "framework/stdctrls/Clipboard.h"
#include "framework/stdctrls/Menus.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Services.h"

namespace test_support {

// Message boxes: answers come from Answers in order, then DefaultAnswer.
class TScriptedDialogs : public TDialogService {
 public:
  TModalResult Show(const TMessageRequest& request) override;

  std::vector<TMessageRequest> Requests;
  std::deque<TModalResult> Answers;
  TModalResult DefaultAnswer = mrOk;
};

class TRecordingShell : public TShellService {
 public:
  struct TCall {
    HWND Window;
    String Operation;
    String File;
    String Parameters;
    String Directory;
    int Show;
  };

  INT_PTR Execute(HWND window, const String& operation, const String& file, const String& parameters,
                  const String& directory, int show) override;
  void AddToRecentDocuments(const String& fileName) override { RecentDocuments.push_back(fileName); }

  std::vector<TCall> Calls;
  std::vector<String> RecentDocuments;
  INT_PTR Result = 33;  // what ShellExecute returns on success (any value above 32)
};

// File dialogs: each answer is the chosen file name, or nullopt for Cancel; without answers
// left, the dialog is cancelled.
class TScriptedFileDialogs : public TFileDialogService {
 public:
  bool Execute(TFileDialogRequest& request) override;

  std::vector<TFileDialogRequest> Requests;
  std::deque<std::optional<String>> Answers;
  std::optional<int> FileType;  // the file type (FilterIndex) chosen with each answer, when set
};

// Colour and font dialogs: each request is recorded; the answer, when set, replaces what the
// request proposed and the dialog is confirmed; without one it is cancelled.
class TScriptedChoiceDialogs : public TChoiceDialogService {
 public:
  bool PickColor(TColorDialogRequest& request) override {
    ColorRequests.push_back(request);
    if (!ColorAnswer) return false;
    request.Color = *ColorAnswer;
    return true;
  }
  bool PickFont(TFontDialogRequest& request) override {
    FontRequests.push_back(request);
    if (!FontAnswer) return false;
    request = *FontAnswer;
    return true;
  }

  std::vector<TColorDialogRequest> ColorRequests;
  std::vector<TFontDialogRequest> FontRequests;
  std::optional<COLORREF> ColorAnswer;
  std::optional<TFontDialogRequest> FontAnswer;
};

// Modal forms: the form's own modal loop never runs. Each form asked for is recorded by class
// name and handed to Inspect (when set) as it would be shown; it ends with Result.
class TRecordingModalForms : public TModalFormService {
 public:
  TModalResult ShowModal(TCustomForm& form) override {
    Shown.push_back(form.ClassName());
    if (Inspect) Inspect(form);
    return Result;
  }

  std::vector<String> Shown;
  std::function<void(TCustomForm&)> Inspect;
  TModalResult Result = mrCancel;
};

// Popup menus: chooses the item whose text is `choose` (an entry that opens a submenu is no
// command; its items are) and notes where the menu was shown and what it held.
class TChoosingTracker : public TMenuTracker {
 public:
  UINT Track(HMENU menu, int x, int y, HWND owner) override;

  String choose;
  TPoint at;
  std::vector<String> shown;  // the entries' texts, "-" for a separator
};

// A clipboard of this process alone, with data blocks by format and a record of the calls.
class TPrivateClipboard : public TClipboardService {
 public:
  TPrivateClipboard() = default;
  TPrivateClipboard(const TPrivateClipboard&) = delete;
  TPrivateClipboard& operator=(const TPrivateClipboard&) = delete;
  ~TPrivateClipboard() override { Empty(); }

  UINT RegisterFormat(const String& name) override;
  bool Open() override;
  void Close() override { ++closes; }
  bool Empty() override;
  bool SetData(UINT format, HANDLE block) override;
  HANDLE GetData(UINT format) override { return data.count(format) ? data[format] : nullptr; }
  bool IsFormatAvailable(UINT format) override { return data.count(format) != 0; }

  std::map<String, UINT> formats;
  std::map<UINT, HANDLE> data;  // owned
  int opens = 0, closes = 0, empties = 0;
  bool busy = false;  // Open fails, as when another program holds the clipboard
};

}  // namespace test_support
