// Test doubles of the framework's services: they record every request and answer from a script,
// so that tests run dialogs, message boxes and shell calls without a person or a browser.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "framework/windows/Forms.h"
#include "framework/windows/Services.h"

// Message boxes: answers come from Answers in order, then DefaultAnswer.
class TScriptedDialogs : public TDialogService {
 public:
  TModalResult Show(const TMessageRequest& request) override {
    Requests.push_back(request);
    if (Answers.empty()) return DefaultAnswer;
    const TModalResult answer = Answers.front();
    Answers.pop_front();
    return answer;
  }

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
                  const String& directory, int show) override {
    Calls.push_back({window, operation, file, parameters, directory, show});
    return Result;
  }

  std::vector<TCall> Calls;
  INT_PTR Result = 33;  // what ShellExecute returns on success (any value above 32)
};

// File dialogs: each answer is the chosen file name, or nullopt for Cancel; without answers
// left, the dialog is cancelled.
class TScriptedFileDialogs : public TFileDialogService {
 public:
  bool Execute(TFileDialogRequest& request) override {
    Requests.push_back(request);
    if (Answers.empty()) return false;
    const std::optional<String> answer = Answers.front();
    Answers.pop_front();
    if (!answer) return false;
    request.FileName = *answer;
    return true;
  }

  std::vector<TFileDialogRequest> Requests;
  std::deque<std::optional<String>> Answers;
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
