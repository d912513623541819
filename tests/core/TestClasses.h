// Small component classes with published properties and methods, shared by the core tests.
#pragma once

#include "framework/core/Component.h"

enum TTestAlign { taNone, taTop, taBottom, taClient };
const TTypeInfo& TypeInfoOf(TypeTag<TTestAlign>);

enum TTestStyle { tsBold, tsItalic, tsUnderline, tsStrikeOut };
using TTestStyles = TSet<TTestStyle>;

// An integer type whose values have names, as a colour type has.
const TTypeInfo& TestColorType();
inline constexpr int tcWhite = 0xFFFFFF;
inline constexpr int tcSilver = 0xC0C0C0;

// A persistent sub-object, as a font is.
class TTestFont : public TPersistent {
  TAVELKO_CLASS(TTestFont, TPersistent)
  static void Publish(TPublisher<TTestFont>& p);

 public:
  int Size() const { return size_; }
  void SetSize(int size) { size_ = size; }
  void Assign(TPersistent* source) override;

 private:
  int size_ = 9;
};

class TTestBase : public TComponent {
  TAVELKO_CLASS(TTestBase, TComponent)
  static void Publish(TPublisher<TTestBase>& p);

 public:
  explicit TTestBase(TComponent* owner);
  ~TTestBase() override;

  int Left() const { return left_; }
  void SetLeft(int left) { left_ = left; }
  TTestAlign Align() const { return align_; }
  void SetAlign(TTestAlign align) { align_ = align; }
  int Color() const { return color_; }
  void SetColor(int color) { color_ = color; }
  const String& Caption() const { return caption_; }
  void SetCaption(const String& caption) { caption_ = caption; }
  TTestFont* Font() const { return font_; }
  void SetFont(TTestFont* font) { font_->Assign(font); }

  TNotifyEvent FOnClick;

 private:
  int left_ = 0;
  TTestAlign align_ = taNone;
  int color_ = tcSilver;
  String caption_;
  TTestFont* font_;  // owned
};

class TTestDerived : public TTestBase {
  TAVELKO_CLASS(TTestDerived, TTestBase)
  static void Publish(TPublisher<TTestDerived>& p);

 public:
  explicit TTestDerived(TComponent* owner) : TTestBase(owner) { SetColor(tcWhite); }

  double Ratio() const { return ratio_; }
  void SetRatio(double ratio) { ratio_ = ratio; }
  long double Precise() const { return precise_; }
  void SetPrecise(long double precise) { precise_ = precise; }
  const WideString& Wide() const { return wide_; }
  void SetWide(const WideString& wide) { wide_ = wide; }
  char Letter() const { return letter_; }
  void SetLetter(char letter) { letter_ = letter; }
  TTestStyles Styles() const { return styles_; }
  void SetStyles(TTestStyles styles) { styles_ = styles; }
  bool Raised() const { return raised_; }
  void SetRaised(bool raised) { raised_ = raised; }
  int Depth() const { return depth_; }
  void SetDepth(int depth) { depth_ = depth; }
  bool IsDepthStored() const { return raised_; }
  short Small() const { return small_; }
  void SetSmall(short small) { small_ = small; }
  // A reference to another component, cleared when that one goes.
  TTestBase* Link() const { return link_; }
  void SetLink(TTestBase* link);
  int Count() const { return 42; }

  TEvent<TObject*, int, bool&> FOnQuery;

  void Notification(TComponent* component, TOperation operation) override;

 private:
  double ratio_ = 0;
  long double precise_ = 0;
  WideString wide_;
  char letter_ = 'A';
  TTestStyles styles_;
  bool raised_ = false;
  int depth_ = 1;
  short small_ = 0;
  TTestBase* link_ = nullptr;
};

// A form-like root with published handler methods.
class TTestForm : public TComponent {
  TAVELKO_CLASS(TTestForm, TComponent)
  static void Publish(TPublisher<TTestForm>& p);

 public:
  explicit TTestForm(TComponent* owner) : TComponent(owner) {}

  void Button1Click(TObject* sender) {
    ++clicks;
    lastSender = sender;
  }
  void OtherClick(TObject*) { clicks += 100; }
  void AskQuery(TObject*, int value, bool& accept) { accept = value > 0; }
  void Unpublished(TObject*) {}

  int clicks = 0;
  TObject* lastSender = nullptr;
};

// A descendant form adding one more handler.
class TTestForm2 : public TTestForm {
  TAVELKO_CLASS(TTestForm2, TTestForm)
  static void Publish(TPublisher<TTestForm2>& p);

 public:
  explicit TTestForm2(TComponent* owner) : TTestForm(owner) {}
  void Extra(TObject*) {}
};
