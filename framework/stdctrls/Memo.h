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
  /// Part of TCustomMemo, which makes its Lines; not for use on its own.
  explicit TMemoStrings(TCustomMemo& memo) : memo_(memo) {}

  /// The string list operations on the memo's lines. Each change sets the memo's whole text once;
  /// EListError for an index out of bounds.
  ///@{
  int Count() const override;
  String Get(int index) const override;
  void Put(int index, const String& text) override;
  void Insert(int index, const String& text) override;
  void Delete(int index) override;
  void Clear() override;
  TPersistent* GetOwner() override;
  ///@}

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

/// The memo's behaviour, for descendants that choose what to publish (TMemo publishes it all).
class TCustomMemo : public TCustomEdit {
  TAVELKO_CLASS(TCustomMemo, TCustomEdit)

 public:
  /// The memo belongs to `owner`, as any component; it is 185 x 89 pixels, wraps words and does not
  /// select its text on entry (AutoSelect off).
  explicit TCustomMemo(TComponent* owner);

  /// The lines of the text, as the user broke them (not as word wrap shows them). Owned by the memo
  /// and never null; the setter copies.
  ///@{
  TStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* value) { lines_->Assign(value); }
  ///@}
  /// The scroll bars shown; a change makes the window again.
  ///@{
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  ///@}
  /// Return types a line break; without it the key is ignored.
  ///@{
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool value) { wantReturns_ = value; }
  ///@}
  /// Tab types a tab; without it the key moves the focus.
  ///@{
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }
  ///@}
  /// Long lines wrap at the right edge (and there is no sideways scrolling); a change makes the
  /// window again.
  ///@{
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  ///@}

 protected:
  /// A multi-line EDIT with the scroll bars and word wrap chosen.
  void CreateParams(TCreateParams& params) override;
  /// Asks for Return and Tab as WantReturns and WantTabs say, and lets Lines know the text may have
  /// changed.
  void Dispatch(TMessage& message) override;
  /// Swallows Return and Tab characters the memo does not want.
  void KeyPress(char& key) override;

 private:
  std::unique_ptr<TMemoStrings> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  bool wordWrap_ = true;
};

/// A memo that publishes its properties and events, as placed on forms and stored in layouts.
class TMemo : public TCustomMemo {
  TAVELKO_CLASS(TMemo, TCustomMemo)
  static void Publish(TPublisher<TMemo>& p);

 public:
  /// Made as a TCustomMemo.
  using TCustomMemo::TCustomMemo;
};
