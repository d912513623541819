// The designer workbench's main window: a design stage holding a sample form, the component
// palette, the layout-mode switch, a choice of controller, stage files with their history, and a
// log of every selection change the selection partner reports.
#pragma once

#include <memory>

#include "designer/Dsnselect.h"
#include "workbench/Workbench.fields.h"
#include "framework/windows/Forms.h"

class TMainMenu;
class TMenuItem;
class TPanel;
class TMemo;
class TDsnStage;
class TDsnRegister;
class TDsnSwitch;
class TDsnPanel;
class THistoryComboBox;
class TOpenDialog;
class TSaveDialog;
class TColorDialog;
class TFontDialog;
class TDsnInspector;
class TStageDocument;

class TWorkbenchForm : public TForm, public TWorkbenchFormFields {
  TAVELKO_CLASS(TWorkbenchForm, TForm)
  static void Publish(TPublisher<TWorkbenchForm>& p);

 public:
  explicit TWorkbenchForm(TComponent* owner);
  ~TWorkbenchForm() override;

  // The components of the layout are its fields (TWorkbenchFormFields), set when it is read.

  // Published methods: the handlers the stored layout binds.
  void FileNewClick(TObject* sender);
  void FileOpenClick(TObject* sender);
  void FileSaveClick(TObject* sender);
  void FileExitClick(TObject* sender);
  void RecentStagesChange(TObject* sender);
  void DsnSelect1ChangeSelected(TObject* sender, TSelectedComponents* targets, TSelectOperation operation);
  // The inspector's "..." button: colours and fonts through the common dialogs.
  void DsnInspector1BtnClick(TObject* sender, TSelectedComponents* targets, String propName, String& value);

  // Replaces the stage's controller by one of kControllerKinds.
  void UseController(std::size_t kind);
  std::size_t ControllerKind() const { return controllerKind_; }
  TStageDocument& Document() { return *document_; }

 private:
  // Stage files and the clipboard may make what the palette offers, and nothing else.
  void AllowPaletteDocuments();
  void AddControllerItems();
  void ControllerClick(TObject* sender);
  // The Arrange menu, each item with its key; the keys work without the menu too.
  void AddArrangeItems();
  void ArrangeClick(TObject* sender);
  void WorkbenchKeyDown(TObject* sender, Word& key, TShiftState shift);
  // Appends a line to the log pane, dropping the oldest beyond its limit, and shows it.
  void Log(const String& line);

  std::unique_ptr<TStageDocument> document_;
  std::size_t controllerKind_ = 0;
};
