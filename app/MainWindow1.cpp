// The page window's event handlers: dropping photos into frames, clearing frames, the mode
// captions, saving the page as a JPEG with the editable page in it, opening such a comic again,
// undo and nudging in layout mode, the question about unsaved work, and the information page.
#include "app/MainWindow1.h"

#include <windows.h>
#include <commdlg.h>

#include <array>

#include "app/InformationPage.h"
#include "app/InformationWindow.h"
#include "app/PageClasses.h"
#include "app/comic/ComicFile.h"
#include "app/comic/RecentComics.h"
#include "app/comic/ReducedPhoto.h"
#include "app/comic/SaveScale.h"
#include "app/comic/ScaledPage.h"
#include "controls/GradBox.h"
#include "controls/dxfLabel.h"
#include "designer/DsnHistory.h"
#include "designer/DsnSubMl.h"
#include "designer/DsnUnit.h"
#include "framework/core/IniFile.h"
#include "framework/core/ScopeGuard.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/JpegImage.h"
#include "framework/graphics/Picture.h"
#include "framework/stdctrls/Dialogs.h"
#include "framework/stdctrls/DroppedFiles.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/SpeedButton.h"
#include "framework/windows/Services.h"

namespace {

// Posted to the page itself: a TStageCommand in WParam.
constexpr UINT CM_STAGECOMMAND = WM_APP + 1;


// The frames' tags, in the order frames are tested on a drop: Image1 to Image4.
constexpr std::array<const char*, 4> FrameTags{"左上", "上", "右上", "左"};

constexpr std::array<const char*, 3> PictureExtensions{".BMP", ".JPG", ".JPEG"};

// The window pixels that make the page, and where they go in the capture buffer.
constexpr TRect PageCaptureRect{22, 0, 422, 600};
constexpr TRect PageTargetRect{0, 0, 400, 600};
constexpr int SavedJpegQuality = 100;

constexpr const char* ComicFilter = "JPEG ファイル (*.jpg;*.jpeg)|*.jpg;*.jpeg";

bool IsPictureFile(const String& fileName) {
  const String extension = ExtractFileExt(fileName);
  for (const char* accepted : PictureExtensions)
    if (AnsiSameText(extension, accepted)) return true;
  return false;
}

// Hides what shows only where the keyboard focus is, the caret and the highlight of a selection
// in the focused edit, for the life of the scope: a copy of the window's pixels takes them too.
class TFocusDecorationHidden {
 public:
  TFocusDecorationHidden() {
    if (HWND focus = GetFocus(); dynamic_cast<TCustomEdit*>(FindControl(focus))) {
      SendMessageW(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&selStart_), reinterpret_cast<LPARAM>(&selEnd_));
      if (selStart_ != selEnd_) {
        edit_ = focus;
        SendMessageW(edit_, EM_SETSEL, selEnd_, selEnd_);
        UpdateWindow(edit_);
      }
    }
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetCurrentThreadId(), &thread) && thread.hwndCaret && HideCaret(thread.hwndCaret))
      caretWindow_ = thread.hwndCaret;
  }
  ~TFocusDecorationHidden() {
    if (caretWindow_) ShowCaret(caretWindow_);
    if (edit_) SendMessageW(edit_, EM_SETSEL, selStart_, selEnd_);
  }
  TFocusDecorationHidden(const TFocusDecorationHidden&) = delete;
  TFocusDecorationHidden& operator=(const TFocusDecorationHidden&) = delete;

 private:
  HWND caretWindow_ = nullptr;  // whose caret was hidden
  HWND edit_ = nullptr;         // whose selection was taken away
  DWORD selStart_ = 0;
  DWORD selEnd_ = 0;
};

}  // namespace

void TMainForm1::Publish(TPublisher<TMainForm1>& p) {
  p.Method("Image1MouseMove", &TMainForm1::Image1MouseMove);
  p.Method("Image2MouseMove", &TMainForm1::Image2MouseMove);
  p.Method("Image3MouseMove", &TMainForm1::Image3MouseMove);
  p.Method("Image4MouseMove", &TMainForm1::Image4MouseMove);
  p.Method("Image1DblClick", &TMainForm1::Image1DblClick);
  p.Method("Image2DblClick", &TMainForm1::Image2DblClick);
  p.Method("Image3DblClick", &TMainForm1::Image3DblClick);
  p.Method("Image4DblClick", &TMainForm1::Image4DblClick);
  p.Method("DsnSwitch1Click", &TMainForm1::DsnSwitch1Click);
  p.Method("SpeedButton2Click", &TMainForm1::SpeedButton2Click);
  p.Method("SpeedButton1Click", &TMainForm1::SpeedButton1Click);
}

TMainForm1::TMainForm1(TComponent* owner) : TForm(owner) {
  InitializeForm(this);
  RestrictToPageDocuments(DsnStage1->DocumentRules());
  AcceptDroppedFiles(Handle(), true);
  FHistory = std::make_unique<TDsnHistory>(DsnStage1);
  DsnRegister1->OnDesignChange = TNotifyEvent(this, &TMainForm1::DesignChanged);
  SetKeyPreview(true);
  OnKeyDown = TKeyEvent(this, &TMainForm1::PageKeyDown);
  OnCloseQuery = TCloseQueryEvent(this, &TMainForm1::PageCloseQuery);
}

// The history looks at the stage, which the form's components outlive only until here.
TMainForm1::~TMainForm1() { FHistory.reset(); }

void TMainForm1::WndProc(TMessage& message) {
  if (message.Msg == WM_DROPFILES) {
    WMDropFiles(message);
    return;
  }
  if (message.Msg == CM_STAGECOMMAND) {
    RunStageCommand(static_cast<TStageCommand>(message.WParam));
    return;
  }
  TForm::WndProc(message);
}

TSettingsPlace TMainForm1::Settings() const {
  if (!FSettingsFile.empty()) return {FSettingsFile, FSettingsFile};
  return ProgramSettingsPlace(ChangeFileExt(ExtractFileName(ParamStr(0)), ".ini"));
}

TImage* TMainForm1::HoveredFrame() const {
  const std::array<TImage*, 4> frames{Image1, Image2, Image3, Image4};
  for (std::size_t i = 0; i < frames.size(); ++i)
    if (FHoverFrame == FrameTags[i]) return frames[i];
  return nullptr;
}

void TMainForm1::LoadFramePhoto(TImage* frame, const String& fileName) {
  LoadPagePhoto(*frame->Picture(), fileName, {DsnStage1->Width(), DsnStage1->Height()});
}

void TMainForm1::WMDropFiles(TMessage& message) {
  const TDroppedFiles drop(reinterpret_cast<HDROP>(message.WParam));  // finished however we leave
  if (drop.Count() == 0) return;
  const String fileName = drop.FileName(0);
  if (!IsPictureFile(fileName)) return;
  // A file that fails to load raises before the frame's picture changes.
  if (TImage* frame = HoveredFrame()) LoadFramePhoto(frame, fileName);
  // In layout mode a photo is a step of its own, not part of the next layout change.
  if (DsnSwitch1->Down()) FHistory->Record();
}

void TMainForm1::Image1MouseMove(TObject*, TShiftState, int, int) { FHoverFrame = FrameTags[0]; }
void TMainForm1::Image2MouseMove(TObject*, TShiftState, int, int) { FHoverFrame = FrameTags[1]; }
void TMainForm1::Image3MouseMove(TObject*, TShiftState, int, int) { FHoverFrame = FrameTags[2]; }
void TMainForm1::Image4MouseMove(TObject*, TShiftState, int, int) { FHoverFrame = FrameTags[3]; }

// A frame deleted in layout mode may still have pasted copies that call its handler.
void TMainForm1::ClearFrame(TImage* frame) {
  if (frame) frame->Picture()->Assign(nullptr);
}

void TMainForm1::Image1DblClick(TObject*) { ClearFrame(Image1); }
void TMainForm1::Image2DblClick(TObject*) { ClearFrame(Image2); }
void TMainForm1::Image3DblClick(TObject*) { ClearFrame(Image3); }
void TMainForm1::Image4DblClick(TObject*) { ClearFrame(Image4); }

void TMainForm1::DsnSwitch1Click(TObject*) {
  if (DsnSwitch1->Down()) {
    // What dialogue mode changed (photos, dialogue) becomes one step before layout changes.
    FHistory->Record();
    DsnSwitch1->SetCaption("[台詞入力モード]へ");
    dxfLabel0->SetCaption("[レイアウトモード]です。吹き出し・台詞ボックスを配置します。");
  } else {
    DsnSwitch1->SetCaption("[レイアウトモード]へ");
    dxfLabel0->SetCaption("[台詞入力モード]です。台詞ボックスに台詞を入力します。");
  }
}

void TMainForm1::SpeedButton1Click(TObject*) { SaveComic(); }

bool TMainForm1::SaveComic() {
  // The capture happens before the dialog, so the page outline never shows in it; from the
  // first save on the page shows its outline dotted. The outline is repainted away before the
  // pixels are copied, or a second save would capture the dots. The outline may have been
  // deleted in layout mode.
  if (Shape0) {
    Shape0->Pen()->SetStyle(psClear);
    Shape0->Update();
  }
  {
    const TFocusDecorationHidden pageOnly;
    Image0->Canvas()->CopyRect(PageTargetRect, *Canvas(), PageCaptureRect);
  }
  if (Shape0) Shape0->Pen()->SetStyle(psDot);

  const TSettingsPlace settings = Settings();
  SavePictureDialog1->SetInitialDir(ExtractFilePath(LastComic(settings)));
  TIniFile stored(settings.ReadFrom);
  const int remembered = RememberedSaveScale(stored);
  // The stored layout's one file type, the page as the screen shows it, comes first among them.
  SavePictureDialog1->SetFilter(SaveScaleFilter(PageTargetRect.Width(), PageTargetRect.Height()));
  SavePictureDialog1->SetFilterIndex(FileTypeOfScale(remembered));
  if (!SavePictureDialog1->Execute()) return false;
  const int scale = ScaleOfFileType(SavePictureDialog1->FilterIndex());
  if (scale != remembered) RememberSaveScale(settings, scale);
  const String fileName = SavePictureDialog1->FileName();
  if (FileExists(fileName) &&
      MessageDlg(fileName + " は既に存在します。\n上書きしますか？", mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) != mrYes)
    return false;

  TComicPhotos photos(scale);
  TJPEGImage jpeg;
  if (scale == 1) {
    TBitmap bitmap;
    bitmap.Assign(Image0->Picture()->Graphic());
    jpeg.Assign(&bitmap);
  } else {
    jpeg.Assign(PaintPageAt(photos).get());
  }
  jpeg.SetCompressionQuality(SavedJpegQuality);
  jpeg.SetAppSegments(ComicSegments(*DsnStage1, photos));
  jpeg.SaveToFile(fileName);
  FHistory->MarkSaved();
  RememberComic(settings, fileName);
  return true;
}

std::unique_ptr<TBitmap> TMainForm1::PaintPageAt(TComicPhotos& photos) {
  // Without the outline, as the capture is taken.
  if (Shape0) Shape0->Pen()->SetStyle(psClear);
  const TScopeGuard dotted([this] {
    if (Shape0) Shape0->Pen()->SetStyle(psDot);
  });
  const TRect page = Bounds(PageCaptureRect.Left - DsnStage1->Left(), PageCaptureRect.Top - DsnStage1->Top(),
                            PageCaptureRect.Width(), PageCaptureRect.Height());
  return TScaledPagePainter(*DsnStage1, photos).Paint(page);
}

// ---------------------------------------------------------------------------------------------
// The editable comic: opening, undo, nudging, unsaved work

void TMainForm1::OpenComicFile(const String& fileName) {
  OpenComic(*DsnStage1, fileName);
  FHistory->Reset();
  RememberComic(Settings(), fileName);
}

void TMainForm1::OpenComicWithDialog() {
  if (!SettleUnsavedChanges()) return;
  TFileDialogRequest request;
  request.Kind = TFileDialogKind::Open;
  request.Owner = Handle();
  request.Title = "開く";
  request.Filter = ComicFilter;
  request.DefaultExt = "jpg";
  request.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  const String last = LastComic(Settings());
  request.InitialDir = ExtractFilePath(last);
  request.FileName = ExtractFileName(last);
  if (!FileDialogService().Execute(request)) return;
  OpenComicFile(request.FileName);
}

bool TMainForm1::SettleUnsavedChanges() {
  if (!FHistory->Modified()) return true;
  switch (MessageDlg("漫画が変更されています。保存しますか？", mtConfirmation, TMsgDlgButtons{mbYes, mbNo, mbCancel}, 0)) {
    case mrYes: return SaveComic();
    case mrNo: return true;
    default: return false;
  }
}

void TMainForm1::PageCloseQuery(TObject*, bool& canClose) { canClose = SettleUnsavedChanges(); }

void TMainForm1::DesignChanged(TObject*) { FHistory->Record(); }

void TMainForm1::PageKeyDown(TObject*, Word& key, TShiftState shift) {
  const bool ctrl = shift.Contains(ssCtrl);
  if (ctrl && key == 'O') {
    key = 0;
    PostStageCommand(TStageCommand::Open);
    return;
  }
  // Undo, nudging and arranging belong to layout mode, and never to the middle of a drag.
  if (!DsnSwitch1->Down() || DsnRegister1->Gesture() != TDsnGesture::Idle) return;
  const bool alter = shift.Contains(ssShift);
  if (TDsnArrangement what; ArrangementOfKey(key, ctrl, alter, what)) {
    DsnRegister1->Arrange(what);
    key = 0;
    return;
  }
  switch (key) {
    case 'Z':
      if (!ctrl) return;
      PostStageCommand(alter ? TStageCommand::Redo : TStageCommand::Undo);
      break;
    case 'Y':
      if (!ctrl) return;
      PostStageCommand(TStageCommand::Redo);
      break;
    case VK_LEFT: DsnRegister1->Nudge(-1, 0, alter, ctrl); break;
    case VK_RIGHT: DsnRegister1->Nudge(1, 0, alter, ctrl); break;
    case VK_UP: DsnRegister1->Nudge(0, -1, alter, ctrl); break;
    case VK_DOWN: DsnRegister1->Nudge(0, 1, alter, ctrl); break;
    default: return;
  }
  key = 0;
}

void TMainForm1::PostStageCommand(TStageCommand command) {
  PostMessageW(Handle(), CM_STAGECOMMAND, static_cast<WPARAM>(command), 0);
}

void TMainForm1::RunStageCommand(TStageCommand command) {
  switch (command) {
    case TStageCommand::Open: OpenComicWithDialog(); break;
    case TStageCommand::Undo: FHistory->Undo(); break;
    case TStageCommand::Redo: FHistory->Redo(); break;
  }
}

// With no information page set up, the program's own information window stands in for it.
void TMainForm1::SpeedButton2Click(TObject*) {
  TIniFile settings(Settings().ReadFrom);
  if (const std::optional<String> endpoint = InformationEndpoint(settings))
    ShellService().Execute(Handle(), "OPEN", InformationPageAddress(*endpoint, ParamStr(0)), "", "", SW_SHOW);
  else
    ShowInformationWindow();
}
