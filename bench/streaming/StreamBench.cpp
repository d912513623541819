// Writes a stage of controls with typical properties to a component stream and reads it back;
// prints the time per control and the throughput for several stage sizes (the per-control time
// stays flat when both directions are linear).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/BenchTable.h"
#include "framework/core/Stream.h"
#include "framework/core/Strings.h"
#include "streaming/ComponentReader.h"
#include "streaming/ComponentWriter.h"

namespace {

enum TBenchShapeType { stRectangle, stEllipse };
enum TBenchPenStyle { psSolid, psClear };
enum TBenchFontStyle { fsBold, fsItalic };

}  // namespace

const TTypeInfo& TypeInfoOf(TypeTag<TBenchShapeType>) {
  static const TTypeInfo info = MakeEnumType("TShapeType", {"stRectangle", "stEllipse"});
  return info;
}
const TTypeInfo& TypeInfoOf(TypeTag<TBenchPenStyle>) {
  static const TTypeInfo info = MakeEnumType("TPenStyle", {"psSolid", "psClear"});
  return info;
}
const TTypeInfo& TypeInfoOf(TypeTag<TBenchFontStyle>) {
  static const TTypeInfo info = MakeEnumType("TFontStyle", {"fsBold", "fsItalic"});
  return info;
}

const TTypeInfo& BenchColorType() {
  static const TTypeInfo info =
      MakeIntegerType("TColor", INT32_MIN, INT32_MAX, {{0, "clBlack"}, {0xFFFFFF, "clWhite"}, {0xC0C0C0, "clSilver"}});
  return info;
}

// The font of a dialogue box: four of its five properties differ from their defaults.
class TBenchFont : public TPersistent {
  TAVELKO_CLASS(TBenchFont, TPersistent)
  static void Publish(TPublisher<TBenchFont>& p) {
    p.Prop("Charset", &TBenchFont::Charset).Default(1);
    p.Prop("Color", &TBenchFont::Color).Type(BenchColorType()).Default(0x80000008);
    p.Prop("Height", &TBenchFont::Height).Default(-12);
    p.Prop("Name", &TBenchFont::Name);
    p.Prop("Style", &TBenchFont::Style).Default(TSet<TBenchFontStyle>{});
  }

 public:
  int Charset = 1;
  int Color = 0x80000008;
  int Height = -12;
  String Name = "MS UI Gothic";
  TSet<TBenchFontStyle> Style;
};

// A control as the page's balloons and dialogue boxes are: bounds, a shape or a memo's text and
// font, an event; parented to the stage.
class TBenchControl : public TComponent {
  TAVELKO_CLASS(TBenchControl, TComponent)
  static void Publish(TPublisher<TBenchControl>& p) {
    p.Prop("Left", &TBenchControl::Left);
    p.Prop("Top", &TBenchControl::Top);
    p.Prop("Width", &TBenchControl::Width);
    p.Prop("Height", &TBenchControl::Height);
    p.Prop("Shape", &TBenchControl::Shape).Default(stRectangle);
    p.Prop("PenStyle", &TBenchControl::PenStyle).Default(psSolid);
    p.Prop("Color", &TBenchControl::Color).Type(BenchColorType()).Default(0xC0C0C0);
    p.Prop("Font", &TBenchControl::GetFont, &TBenchControl::SetFont);
    p.Prop("Lines", &TBenchControl::GetLines, &TBenchControl::SetLines);
    p.Prop("TabOrder", &TBenchControl::TabOrder).Default(-1);
    p.Prop("OnDblClick", &TBenchControl::OnDblClick);
  }

 public:
  explicit TBenchControl(TComponent* owner) : TComponent(owner) {}
  bool HasParent() const override { return true; }
  void SetParentComponent(TComponent* parent) override { Parent = parent; }
  TBenchFont* GetFont() const { return const_cast<TBenchFont*>(&font_); }
  void SetFont(TBenchFont* font) { font_.Name = font->Name; }
  TStrings* GetLines() const { return const_cast<TStringList*>(&lines_); }
  void SetLines(TStrings* lines) { lines_.Assign(lines); }

  int Left = 0, Top = 0, Width = 0, Height = 0, Color = 0xC0C0C0, TabOrder = -1;
  TBenchShapeType Shape = stRectangle;
  TBenchPenStyle PenStyle = psSolid;
  TNotifyEvent OnDblClick;
  TComponent* Parent = nullptr;

 private:
  TBenchFont font_;
  TStringList lines_;
};

// The form that owns the stage's controls and publishes their handler.
class TBenchForm : public TComponent {
  TAVELKO_CLASS(TBenchForm, TComponent)
  static void Publish(TPublisher<TBenchForm>& p) { p.Method("FrameDblClick", &TBenchForm::FrameDblClick); }

 public:
  explicit TBenchForm(TComponent* owner) : TComponent(owner) {}
  void FrameDblClick(TObject*) {}
};

namespace {

// <chrono> cannot be used here: its micro sign has no code page 932 form.
double Now() {
  LARGE_INTEGER counter, frequency;
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Populate(TBenchForm& form, int count) {
  for (int i = 0; i < count; ++i) {
    auto* control = new TBenchControl(&form);
    control->SetName("Control" + IntToStr(i));
    control->Left = 400 + (i % 40) * 4;
    control->Top = (i / 40) % 600;
    control->Width = 150;
    control->Height = 40;
    if (i % 2 == 0) {
      control->Shape = stEllipse;
      control->PenStyle = psClear;
    } else {
      control->Color = 0xFFFFFF;
      control->GetFont()->Charset = 128;
      control->GetFont()->Color = 0;
      control->GetFont()->Height = -15;
      control->GetFont()->Style = {fsBold};
      control->GetLines()->Add("Dialogue line " + IntToStr(i));
      control->TabOrder = i % 100;
      control->OnDblClick = TNotifyEvent(&form, &TBenchForm::FrameDblClick);
    }
  }
}

// As a stage saves its controls: a record per control, then the list end.
void WriteStage(TBenchForm& form, TMemoryStream& stream) {
  TComponentWriter writer(stream, &form);
  for (int i = 0; i < form.ComponentCount(); ++i) {
    writer.WriteSignature();
    writer.WriteComponent(form.Components(i));
  }
  writer.WriteListEnd();
  writer.FlushBuffer();
}

struct TResult {
  double writeSeconds;
  double readSeconds;
  double createSeconds;  // of the read: constructing the components and giving them to the form
  std::int64_t bytes;
};

// What the framework itself spends on constructing `count` controls under one form and naming
// them, without any stream: the part of a read that is not the reader's.
double CreationSeconds(int count) {
  TBenchForm form(nullptr);
  const double start = Now();
  for (int i = 0; i < count; ++i) (new TBenchControl(&form))->SetName("Control" + IntToStr(i));
  return Now() - start;
}

TResult Measure(int count) {
  TBenchForm source(nullptr);
  source.SetName("Form1");
  Populate(source, count);
  TResult best{1e9, 1e9, 1e9, 0};
  for (int round = 0; round < 3; ++round) {
    best.createSeconds = std::min(best.createSeconds, CreationSeconds(count));
    TMemoryStream stream;
    const double writeStart = Now();
    WriteStage(source, stream);
    best.writeSeconds = std::min(best.writeSeconds, Now() - writeStart);
    best.bytes = stream.Size();

    TBenchForm target(nullptr);
    target.SetName("Form2");
    stream.SetPosition(0);
    const double readStart = Now();
    TComponentReader reader(stream);
    reader.ReadComponents(&target, &target);
    best.readSeconds = std::min(best.readSeconds, Now() - readStart);
    if (target.ComponentCount() != count) std::fprintf(stderr, "read %d of %d controls\n", target.ComponentCount(), count);
  }
  return best;
}

}  // namespace

int main() {
  RegisterClasses({&TBenchControl::StaticClassInfo()});
  std::printf("Best of three rounds. \"creating\": constructing and naming the controls under the form\n"
              "without a stream, which every read includes.\n\n");
  std::printf("controls    bytes  write us/ctl  write MB/s  read us/ctl  read MB/s  creating us/ctl\n");
  std::vector<TResult> results;
  for (int count : {1000, 10000, 20000}) {
    const TResult r = results.emplace_back(Measure(count));
    const double mb = static_cast<double>(r.bytes) / (1024.0 * 1024.0);
    std::printf("%8d  %7lld  %12.2f  %10.1f  %11.2f  %9.1f  %15.2f\n", count, static_cast<long long>(r.bytes),
                r.writeSeconds * 1e6 / count, mb / r.writeSeconds, r.readSeconds * 1e6 / count, mb / r.readSeconds,
                r.createSeconds * 1e6 / count);
  }
  bench::TableRow("reading 20,000 controls, per control", results.back().readSeconds * 1e6 / 20000,
                  "reading 1,000", results.front().readSeconds * 1e6 / 1000, "us", "<= 1.5");
  return 0;
}
