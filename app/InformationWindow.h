// The program's own information window: its name and version, how to use the page, and the
// notice the JPEG library asks of every program that carries it. Shown when no information page
// is set up.
#pragma once

#include "framework/windows/Forms.h"

class TLabel;
class TMemo;
class TBitBtn;

class TInformationForm : public TForm {
  TAVELKO_CLASS(TInformationForm, TForm)

 public:
  explicit TInformationForm(TComponent* owner);

  // The form's controls, owned by the form. The button, Escape and the title bar's close box
  // end it.
  TLabel* NameLabel = nullptr;
  TLabel* VersionLabel = nullptr;
  TLabel* UsageLabel = nullptr;
  TMemo* NoticeMemo = nullptr;
  TBitBtn* CloseButton = nullptr;
};

// Shows the information window modally, through the modal form service.
void ShowInformationWindow();
