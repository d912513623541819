// A stage holding one memo of many lines, saved to a stream and loaded back: the time of each
// direction for several line counts (both stay proportional to the lines when linear), once with
// no windows made and once on a shown form, where the edit window's own handling of the text is
// printed for comparison. A damaged stream once made such a memo of about 20,000 lines.
#include <windows.h>

#include <cstdio>

#include "BenchLoop.h"
#include "BenchStage.h"
#include "designer/DsnUnit.h"
#include "framework/core/Stream.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/StdControls.h"
#include "framework/windows/Application.h"
#include "framework/windows/Forms.h"

namespace {

using bench::Now;
using bench::Pump;

void Measure(int lineCount, bool shown) {
  TForm form(nullptr);
  TDsnStage* stage = bench::PlaceStage(form, 400, 300);
  auto* memo = new TMemo(&form);
  memo->SetName("Memo1");
  memo->SetParent(stage);
  String text;
  for (int i = 0; i < lineCount; ++i) text += "line " + IntToStr(i) + "\r\n";
  if (shown) form.Show();
  Pump();
  // What the edit window itself takes for the text, for comparison with loading.
  const double setStart = Now();
  memo->SetText(text);
  const double set = Now() - setStart;

  TMemoryStream stream;
  const double saveStart = Now();
  stage->SaveToStream(&stream);
  const double saved = Now() - saveStart;
  const double loadStart = Now();
  stage->LoadFromStream(&stream);
  const double loaded = Now() - loadStart;
  Pump();
  auto* back = dynamic_cast<TMemo*>(stage->ControlCount() == 1 ? stage->Controls(0) : nullptr);
  const int linesBack = back ? back->Lines()->Count() : -1;
  std::printf("%-10s %7d lines: save %8.1f ms, load %8.1f ms (%d lines back, %lld bytes); setting the text %8.1f ms\n",
              shown ? "shown" : "no window", lineCount, saved * 1e3, loaded * 1e3, linesBack,
              static_cast<long long>(stream.Size()), set * 1e3);
}

}  // namespace

int main() {
  RegisterStdControls();
  RegisterDsnUnitClasses();
  Application->Initialize();
  for (bool shown : {false, true})
    for (int lines : {2000, 4000, 8000, 20000, 100000}) Measure(lines, shown);
  return 0;
}
