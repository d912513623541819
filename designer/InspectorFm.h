/// @file
/// TInspectorFm: the inspector's window, read from its stored layout (RCDATA "TINSPECTORFM"): a
/// property grid whose value cells are edited by editors placed over them — a text box, an
/// enumeration list, or a read-only text box with the "..." button — and written back to every
/// selected control through the inspector.
#pragma once

#include "designer/InspectorFm.fields.h"
#include "framework/windows/Forms.h"

class TDsnInspector;
class TMultiProps;
class TStrings;

/// The inspector's window. TDsnInspector makes one each time design mode starts, owns it and
/// destroys it when design mode ends; an application reaches it through TDsnInspector::Form() and
/// does not make its own. Its handlers (FormCreate to Panel3Resize) are the published methods the
/// stored layout binds; the window's controls call them, and they are public only so that the
/// layout can name them.
class TInspectorFm : public TForm, public TInspectorFmFields {
  TAVELKO_CLASS(TInspectorFm, TForm)
  static void Publish(TPublisher<TInspectorFm>& p);

 public:
  /// The grid's columns: the property name (0 wide), its caption, its value.
  ///@{
  static constexpr int NameCol = 0;
  static constexpr int CaptionCol = 1;
  static constexpr int ValueCol = 2;
  ///@}

  /// Reads the window's stored layout; `owner` may be null (TDsnInspector passes null and owns
  /// the window itself).
  explicit TInspectorFm(TComponent* owner);
  /// Marks the window as going before its editors lose the focus, so nothing is written back.
  ~TInspectorFm() override;

  // The components of the layout are its fields (TInspectorFmFields), set when it is read:
  // Edit1 is the text box, ComboBox2 the enumeration list, Panel2 holds the "..." button, Panel1
  // is the help strip and Panel3 the selector strip, always hidden.

  // ---- Published methods: the handlers the stored layout binds ----
  /// Hides the name column.
  void FormCreate(TObject* sender);
  /// A press on a row below the heading puts the editor on that row, with the focus.
  void StringGrid1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  /// The grid scrolled: the editor follows its row, or is closed with its value written when the
  /// row scrolled out of view.
  void StringGrid1TopLeftChanged(TObject* sender);
  /// An editor lost the focus or the window was deactivated: a changed text is written to every
  /// selected control, and the error of a bad value is shown.
  void Edit1Exit(TObject* sender);
  /// A name of the enumeration chosen or typed in full is written at once.
  void ComboBox2Change(TObject* sender);
  /// The "..." button: runs the inspector's OnBtnClick for the edited property and writes the
  /// value it leaves; nothing without a handler.
  void SpeedButton1Click(TObject* sender);
  /// The selector strip (never shown) chose a control: the designer selects it.
  void ComboBox1Change(TObject* sender);
  /// Keeps the selector list as wide as its strip.
  void Panel3Resize(TObject* sender);

  /// Places the editor of `row`'s property over its value cell; row -1 parks every editor.
  void SetGrid(int row, bool focus);
  /// Rows for the model's names under their captions with the merged values; the editor follows
  /// CurrentProp. Nothing when the model's names and values disagree in count.
  void Fill(TMultiProps& model);

  /// The inspector that owns this window and receives its edits; null until set.
  ///@{
  TDsnInspector* Inspector() const { return inspector_; }
  void SetInspector(TDsnInspector* value) { inspector_ = value; }
  ///@}
  /// The property of the row being edited; empty until a row is chosen.
  const String& CurrentProp() const { return currentProp_; }
  /// The inspector's BtnProps list itself (not owned).
  void SetBtnProps(TStrings* value) { btnProps_ = value; }

 private:
  /// Where the editors go when no row is edited: any left edge below 0 counts as parked.
  static constexpr int ParkedLeft = -2000;

  bool IsButtonProp(const String& name) const;
  bool IsParked() const;
  /// The row of CurrentProp; -1 when no row shows it.
  int EditedRow() const;
  /// The editors over the value cell of `row`.
  void PlaceEditors(int row);
  /// The value cell of `row` in the window's client coordinates.
  TRect ValueCellInForm(int row);
  /// Writes the text box to every selected control and shows the error of a bad value here, where
  /// the focus it takes from the text box cannot start the same write and error again. A text the
  /// editor already wrote, or was given, is not written again (leaving the window ends the edit
  /// twice: deactivation, then the lost focus).
  void WriteBack();

  TDsnInspector* inspector_ = nullptr;  ///< owns this window
  String currentProp_;  ///< the property of the row the editors sit on
  String written_;      ///< what the editor was given or last wrote
  TStrings* btnProps_ = nullptr;  ///< the inspector's
  bool writing_ = false;
};
