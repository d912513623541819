// The page window: four photo frames, speech balloons and dialogue boxes on a design stage, the
// instruction strip, and the button panel with the mode switch, save and information buttons.
#pragma once

#include <memory>

#include "framework/windows/Forms.h"

class TShape;
class TImage;
class TMemo;
class TPanel;
class TSpeedButton;
class TSavePictureDialog;
class TGradBox;
class TdxfLabel;
class TDsnStage;
class TDsnRegister;
class TDsnSwitch;
class TDsnHistory;
class TBitmap;
class TComicPhotos;

class TMainForm1 : public TForm {
  TAVELKO_CLASS(TMainForm1, TForm)
  static void Publish(TPublisher<TMainForm1>& p);

 public:
  static void PublishFields(TFieldPublisher<TMainForm1>& f);

  explicit TMainForm1(TComponent* owner);
  ~TMainForm1() override;

  // Published fields, set to the components of the same name when the layout is read.
  TShape* Shape4 = nullptr;
  TSavePictureDialog* SavePictureDialog1 = nullptr;
  TImage* Image0 = nullptr;  // hidden: the capture buffer of the save action
  TDsnStage* DsnStage1 = nullptr;
  TMemo* Memo0 = nullptr;
  TMemo* Memo1 = nullptr;
  TMemo* Memo2 = nullptr;
  TMemo* Memo3 = nullptr;
  TMemo* Memo4 = nullptr;
  TMemo* Memo5 = nullptr;
  TMemo* Memo6 = nullptr;
  TMemo* Memo7 = nullptr;
  TDsnRegister* DsnRegister1 = nullptr;
  TImage* Image1 = nullptr;
  TImage* Image2 = nullptr;
  TImage* Image3 = nullptr;
  TImage* Image4 = nullptr;
  TShape* Shape1 = nullptr;
  TShape* Shape0 = nullptr;  // the white page
  TShape* Shape2 = nullptr;
  TShape* Shape3 = nullptr;
  TShape* Shape5 = nullptr;
  TShape* Shape6 = nullptr;
  TShape* Shape7 = nullptr;
  TShape* Shape8 = nullptr;
  TShape* Shape9 = nullptr;
  TPanel* Panel0 = nullptr;
  TDsnSwitch* DsnSwitch1 = nullptr;
  TShape* Shape10 = nullptr;
  TShape* Shape11 = nullptr;
  TShape* Shape12 = nullptr;
  TShape* Shape13 = nullptr;
  TShape* Shape14 = nullptr;
  TShape* Shape15 = nullptr;
  TShape* Shape16 = nullptr;
  TShape* Shape17 = nullptr;
  TShape* Shape18 = nullptr;
  TShape* Shape19 = nullptr;
  TShape* Shape20 = nullptr;
  TShape* Shape21 = nullptr;
  TShape* Shape22 = nullptr;
  TShape* Shape23 = nullptr;
  TShape* Shape24 = nullptr;
  TShape* Shape25 = nullptr;
  TdxfLabel* dxfLabel0 = nullptr;
  TSpeedButton* SpeedButton1 = nullptr;
  TSpeedButton* SpeedButton2 = nullptr;
  TGradBox* GradBox1 = nullptr;
  TGradBox* GradBox2 = nullptr;

  // Published methods: the handlers the stored layout binds.
  void Image1MouseMove(TObject* sender, TShiftState shift, int x, int y);
  void Image2MouseMove(TObject* sender, TShiftState shift, int x, int y);
  void Image3MouseMove(TObject* sender, TShiftState shift, int x, int y);
  void Image4MouseMove(TObject* sender, TShiftState shift, int x, int y);
  void Image1DblClick(TObject* sender);
  void Image2DblClick(TObject* sender);
  void Image3DblClick(TObject* sender);
  void Image4DblClick(TObject* sender);
  void DsnSwitch1Click(TObject* sender);
  void SpeedButton2Click(TObject* sender);
  void SpeedButton1Click(TObject* sender);

  // A photo file into `frame`, as a drop does: reduced to cover the stage when it is larger. A file
  // that cannot be loaded raises and leaves the frame as it was.
  void LoadFramePhoto(TImage* frame, const String& fileName);
  // The tag of the frame the mouse last moved over; empty until it first does.
  const String& HoverFrame() const { return FHoverFrame; }
  // The settings file read when the information button is clicked; ProgramSettingsFile() unless
  // set.
  const String& SettingsFile() const { return FSettingsFile; }
  void SetSettingsFile(const String& fileName) { FSettingsFile = fileName; }

  // ---- The editable comic ----
  // Replaces the page with the one a saved comic carries; EComicOpen, and the page unchanged,
  // when the file holds none or a damaged one. The opened page counts as saved.
  void OpenComicFile(const String& fileName);
  // Ctrl+O: after asking about unsaved changes, the open dialog, then OpenComicFile.
  void OpenComicWithDialog();
  // Layout changes, and the dialogue-mode changes made before layout mode began, as steps.
  TDsnHistory& History() const { return *FHistory; }

 protected:
  void WndProc(TMessage& message) override;

 private:
  void WMDropFiles(TMessage& message);
  // The save action: the capture, the dialog, the overwrite question, the JPEG with the editable
  // page in it. True when the comic was written.
  bool SaveComic();
  // The page drawn at the photos' scale, for a save larger than the screen.
  std::unique_ptr<TBitmap> PaintPageAt(TComicPhotos& photos);
  // Unsaved changes: asks whether to save them first. False when the user cancelled (or the save
  // did not happen).
  bool SettleUnsavedChanges();
  void PageKeyDown(TObject* sender, Word& key, TShiftState shift);
  // Opening, undo and redo read the stage anew, destroying the control whose key message asked
  // for them: the key posts the command, which runs once that message is done.
  enum class TStageCommand : WPARAM { Open, Undo, Redo };
  void PostStageCommand(TStageCommand command);
  void RunStageCommand(TStageCommand command);
  void PageCloseQuery(TObject* sender, bool& canClose);
  void DesignChanged(TObject* sender);
  // The frame whose tag is FHoverFrame, or null.
  TImage* HoveredFrame() const;
  static void ClearFrame(TImage* frame);

  String FHoverFrame;
  String FSettingsFile;
  std::unique_ptr<TDsnHistory> FHistory;
};
