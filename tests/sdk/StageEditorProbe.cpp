// Starts the stage editor example (argv[1]) and works it with real input as a user would: layout
// mode on, an edit box placed from the palette, the panel "Drag me" dragged, an area selected (the
// stage must stay where it is), the stage saved as argv[2] through the Save dialog, the program
// closed; then starts it again, opens a copy of the file holding a class the palette does not
// offer (refused with a message, the stage unchanged), then the file itself through the Open
// dialog and checks that the edit box and the panel are where they were left. Exit code 0 when
// they are; what failed goes to stderr.
#include <algorithm>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ProbeSupport.h"

using namespace probe;

namespace {

// In the form's client area (the stored layout's places).
constexpr POINT kStageAt{104, 34};
constexpr POINT kLayoutSwitch{68, 17};
constexpr POINT kOpenButton{268, 17};
constexpr POINT kSaveButton{352, 17};
// The palette's Edit button, in the palette's client area.
constexpr POINT kEditTemplate{52, 88};
// The panel's place in the stored layout, and the drag it is given.
constexpr POINT kPanelAtStart{200, 24};
constexpr POINT kPanelDrag{40, 24};
constexpr POINT kPanelMoved{kPanelAtStart.x + kPanelDrag.x, kPanelAtStart.y + kPanelDrag.y};

// The example's form and the two controls of its stage the probe follows (found anew whenever the
// stage was read, which makes its controls anew).
struct TStageView {
  HWND form = nullptr;
  HWND stage = nullptr;
  HWND panel = nullptr;
  HWND edit = nullptr;

  void Find(DWORD thread) {
    form = VisibleWindow(thread, L"Stage editor");
    stage = FindWindowExW(form, nullptr, L"TDsnStage", nullptr);
    panel = FindWindowExW(stage, nullptr, nullptr, L"Drag me");
    edit = FindWindowExW(stage, nullptr, L"Edit", nullptr);
  }
};

std::string ShowsLayout(TExample& example, TStageView& view) {
  if (!WaitFor([&] { view.Find(example.Thread()); return view.panel != nullptr; }))
    return "The example's form with the panel \"Drag me\" on its stage never showed";
  if (view.edit || Origin(view.panel) != kPanelAtStart) return "The example did not start with its stored stage";
  return {};
}

// The first run: an edit box made by a drag on the stage, the panel moved, the stage saved.
std::string Edit(TExample& example, TStageView& view, const std::wstring& file, RECT& placed) {
  if (std::string failure = ShowsLayout(example, view); !failure.empty()) return failure;
  if (std::string failure = example.LayoutModeOn(view.form, kLayoutSwitch); !failure.empty()) return failure;

  example.Click(OnScreen(FindWindowExW(view.form, nullptr, L"TDsnPanel", nullptr), kEditTemplate));
  example.Drag(OnScreen(view.stage, {40, 220}), OnScreen(view.stage, {184, 244}));
  if (!WaitFor([&] { view.Find(example.Thread()); return view.edit != nullptr; }))
    return "A drag on the stage with the palette's Edit button down placed no edit box";
  placed = Bounds(view.edit);

  const POINT grip = OnScreen(view.panel, {20, 20});
  if (WindowFromPoint(grip) != view.panel) return "Another window covers the panel";
  example.Drag(grip, {grip.x + kPanelDrag.x, grip.y + kPanelDrag.y});
  POINT now{};
  if (!WaitFor([&] { return (now = Origin(view.panel)) == kPanelMoved; }))
    return Failure("The panel dragged by (%ld, %ld) went to (%ld, %ld)", kPanelDrag.x, kPanelDrag.y, now.x, now.y);

  // A drag from an empty spot of the stage selects an area: the stage itself stays put.
  example.Drag(OnScreen(view.stage, {20, 200}), OnScreen(view.stage, {200, 260}));
  if (Origin(view.stage) != kStageAt) return "A drag from an empty spot of the stage moved the stage";

  example.Click(OnScreen(view.form, kSaveButton));
  if (std::string failure = example.AnswerFileDialog(file); !failure.empty()) return failure;
  if (!WaitFor([&] { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; }))
    return "The Save dialog wrote no file";
  return {};
}

// `file` with its edit box turned into a memo, which the palette does not offer: a well-formed
// stage file that the example must refuse.
std::wstring Hostile(const std::wstring& file) {
  std::ifstream in(std::filesystem::path(file), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (const auto at = bytes.find("TEdit"); at != std::string::npos) bytes.replace(at, 5, "TMemo");
  const std::wstring hostile = file + L".memo.stage";
  std::ofstream(std::filesystem::path(hostile), std::ios::binary) << bytes;
  return hostile;
}

// The hostile file opened: refused with the reason, the stage left as it was.
std::string Refuses(TExample& example, TStageView& view, const std::wstring& hostile) {
  example.Click(OnScreen(view.form, kOpenButton));
  if (std::string failure = example.AnswerFileDialog(hostile); !failure.empty()) return failure;
  HWND box = nullptr;
  if (!WaitFor([&] { return (box = VisibleWindow(example.Thread(), L"#32770", true)) != nullptr; }))
    return "Opening a stage file with a memo told nothing";
  wchar_t text[512] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 512);  // a message box's text
  if (!std::wcsstr(text, L"TMemo")) return "The refusal of a stage file with a memo names no TMemo";
  example.Key(VK_RETURN);
  view.Find(example.Thread());
  if (view.edit || Origin(view.panel) != kPanelAtStart) return "A refused stage file changed the stage";
  return {};
}

// The second run: a hostile copy of the saved file refused, then the saved file opened, its
// controls where they were saved.
std::string Reopen(TExample& example, TStageView& view, const std::wstring& file, const RECT& placed) {
  if (std::string failure = ShowsLayout(example, view); !failure.empty()) return failure;
  if (std::string failure = Refuses(example, view, Hostile(file)); !failure.empty()) return failure;
  example.Click(OnScreen(view.form, kOpenButton));
  if (std::string failure = example.AnswerFileDialog(file); !failure.empty()) return failure;
  POINT panel{};
  RECT edit{};
  // The stage's controls are made anew by the reading: looked for until they are as saved.
  if (WaitFor([&] {
        view.Find(example.Thread());
        if (!view.panel || !view.edit) return false;
        panel = Origin(view.panel);
        edit = Bounds(view.edit);
        return panel == kPanelMoved && EqualRect(&edit, &placed);
      }))
    return {};
  if (!view.panel || !view.edit) return "The opened stage lacks the placed edit box or the panel";
  return Failure("The opened stage has the panel at (%ld, %ld), the edit box at (%ld, %ld): not as saved", panel.x,
                 panel.y, edit.left, edit.top);
}

// One run of the example: `step`, then the form closed, which must end the program.
template <class Step>
std::string Run(const std::wstring& program, Step step) {
  TExample example(program);
  if (!example.Started()) return Failure("The example did not start (%lu)", GetLastError());
  TStageView view;
  std::string failure = step(example, view);
  if (view.form && !example.Close(view.form) && failure.empty()) failure = "The example did not end when its form closed";
  return failure;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return std::fprintf(stderr, "usage: sdk_stage_editor_probe <example.exe> <file.stage>\n"), 2;
  std::wstring file = argv[2];
  std::replace(file.begin(), file.end(), L'/', L'\\');
  RECT placed{};
  std::string failure = Run(argv[1], [&](TExample& example, TStageView& view) { return Edit(example, view, file, placed); });
  if (failure.empty())
    failure = Run(argv[1], [&](TExample& example, TStageView& view) { return Reopen(example, view, file, placed); });
  return Report(failure);
}
