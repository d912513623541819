/// @file
/// TCustomMemo and TMemo: a multi-line edit whose Lines are a string list over the window's text,
/// so they survive the window being destroyed and made again.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "framework/core/Strings.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/ScrollStyle.h"

class TCustomMemo;

/// The lines of a memo: its text split at line breaks. A last line that is empty is no line, so
/// "a" CR LF holds one line; an empty last line added through the list is kept with a final break.
/// The text is split once and the lines kept until the memo sees its next message (any message
/// may change the text), so going through all lines costs one split, not one per line.
class TMemoStrings : public TStrings {
  TAVELKO_CLASS(TMemoStrings, TStrings)

 public:
  explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}

  int Count() const override;
  String Get(int index) const override;
  void Put(int index, const String& text) override;
  void Insert(int index, const String& text) override;
  void Delete(int index) override;
  void Clear() override;
  TPersistent* GetOwner() override;

  /// The memo's text may have changed: the lines are split again when next asked for.
  void ForgetLines() { split_.reset(); }

 protected:
  /// Between BeginUpdate and EndUpdate the lines are collected and the memo's text set once.
  void SetUpdateState(bool updating) override;

 private:
  const std::vector<String>& Lines() const;
  /// Applies `edit` to the lines: in place while collecting, otherwise to a copy set as the text.
  template <class Edit>
  void Change(Edit edit);
  void Store(const std::vector<String>& lines);
  void CheckIndex(int index, int limit) const;

  TCustomMemo& memo_;
  std::optional<std::vector<String>> pending_;        ///< collected between BeginUpdate and EndUpdate
  mutable std::optional<std::vector<String>> split_;  ///< the text's lines, until the next message
};

class TCustomMemo : public TCustomEdit {
  TAVELKO_CLASS(TCustomMemo, TCustomEdit)

 public:
  explicit TCustomMemo(TComponent* owner);

  /// Owned; the setter copies.
  TStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* value) { lines_->Assign(value); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  /// Return types a line break; without it the key is ignored.
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }
  /// Tab types a tab; without it the key moves the focus.
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);

 protected:
  void CreateParams(TCreateParams& params) override;
  void Dispatch(TMessage& message) override;
  void KeyPress(char& key) override;

 private:
  std::unique_ptr<TMemoStrings> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  bool wordWrap_ = true;
};

class TMemo : public TCustomMemo {
  TAVELKO_CLASS(TMemo, TCustomMemo)
  static void Publish(TPublisher<TMemo>& p);

 public:
  using TCustomMemo::TCustomMemo;
};
