/// @file
/// TDsnTransfer: the controller's operations through component streams: copy, cut, paste and
/// delete of the selection, and the palette's copy of a template.
#pragma once

#include "designer/Dsnfunc.h"
#include "framework/core/Strings.h"

class TComponent;
class TControl;
class TDsnRegister;
class TList;
class TReader;
class TWinControl;

/// Every stream is written relative to the form (the controller's owner) and read with the form as
/// the owner of what it makes, so references and event handlers bind to the form by name. Works
/// through the controller's public operations, so that variants' overrides take part. Part of
/// TDsnRegister's implementation (use the controller's operations of the same names); not for use
/// on its own.
class TDsnTransfer {
 public:
  /// Serves `controller`, which outlives it.
  explicit TDsnTransfer(TDsnRegister& controller) : controller_(controller) {}

  /// The name of the designer's clipboard format.
  static constexpr const char* kClipboardFormatName = "Dsn_ClipboardFormat";

  /// A selection exists and shares one parent.
  bool CanCopy() const;
  /// At most one control is selected, that one holds controls, and the clipboard has the
  /// designer's format.
  bool CanPaste() const;
  /// The selected controls, in selection order, as one block of component streams on the
  /// clipboard: the stream's length (32 bits), the records, a zero byte.
  void Copy();
  /// The clipboard's controls into `container`, at their copied positions and with free names;
  /// each top-level one goes to the controller's ComponentsProcClipbrd once all were read. A block
  /// whose length does not fit it, or whose streams are damaged, pastes nothing, leaves the
  /// selection as it was and raises EReadError.
  void Paste(TWinControl* container);
  /// A top-level pasted control: intercepted while designing, moved back inside its parent,
  /// selected.
  void Adopt(TComponent* component);
  /// Destroys the selected controls that the stage's delete query allows, deepest first; never
  /// the stage.
  void Delete();
  /// Sorts controls by depth below the stage, shallowest first (equal depths keep their order).
  void SortForDelete(TList* controls) const;
  /// A copy of `source` inside `parent`; each top-level component read goes to the controller's
  /// ComponentsProc. `source` keeps its name.
  void CopyPaste(TControl* source, TWinControl* parent);
  /// The name hook of reading: a unique name, and the stage hears of the new component.
  void CheckName(TReader* reader, TComponent* component, String& name);

 private:
  TDsnRegister& controller_;
  TFreeNameHint freeNames_;  ///< of the paste or palette copy under way
};
