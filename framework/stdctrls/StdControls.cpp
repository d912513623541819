// The streamable standard classes, registered by name.
#include "framework/stdctrls/StdControls.h"

#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/Grids.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Menus.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/Dialogs.h"
#include "framework/stdctrls/Shape.h"
#include "framework/stdctrls/SpeedButton.h"
#include "framework/stdctrls/Timer.h"

void RegisterStdControls() {
  RegisterClasses({&TPanel::StaticClassInfo(), &TShape::StaticClassInfo(), &TImage::StaticClassInfo(),
                   &TEdit::StaticClassInfo(), &TMemo::StaticClassInfo(), &TComboBox::StaticClassInfo(),
                   &TLabel::StaticClassInfo(), &TSpeedButton::StaticClassInfo(), &TBitBtn::StaticClassInfo(),
                   &TTimer::StaticClassInfo(), &TPopupMenu::StaticClassInfo(), &TMainMenu::StaticClassInfo(), &TMenuItem::StaticClassInfo(),
                   &TOpenDialog::StaticClassInfo(), &TSaveDialog::StaticClassInfo(), &TSavePictureDialog::StaticClassInfo(),
                   &TColorDialog::StaticClassInfo(), &TFontDialog::StaticClassInfo(),
                   &TStringGrid::StaticClassInfo()});
}
