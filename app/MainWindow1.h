// The page window: four photo frames, speech balloons and dialogue boxes on a design stage, the
// instruction strip, and the button panel with the mode switch, save and information buttons.
#pragma once

#include <memory>

#include "app/MainForm1.fields.h"
#include "framework/core/SettingsPlace.h"
#include "framework/windows/Forms.h"

class TDsnHistory;
class TBitmap;
class TComicPhotos;

class TMainForm1 : public TForm, public TMainForm1Fields {
  TAVELKO_CLASS(TMainForm1, TForm)
  static void Publish(TPublisher<TMainForm1>& p);

 public:
  explicit TMainForm1(TComponent* owner);
  ~TMainForm1() override;

  // The components of the layout are its fields (TMainForm1Fields), set when it is read:
  // Shape0 is the white page, Image0 the capture buffer of the save action.

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
  // The settings file the page reads (the information page, the last comic): the program's own,
  // Tavelko.ini beside it or in the user's settings folder, unless one is set.
  String SettingsFile() const { return Settings().ReadFrom; }
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
  // Where the settings file is read and written: FSettingsFile when set, else the program's own.
  TSettingsPlace Settings() const;
  // The frame whose tag is FHoverFrame, or null.
  TImage* HoveredFrame() const;
  static void ClearFrame(TImage* frame);

  String FHoverFrame;
  String FSettingsFile;
  std::unique_ptr<TDsnHistory> FHistory;
};
