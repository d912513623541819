// The information window, built in code: it has no stored layout to read.
#include "app/InformationWindow.h"

#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/Memo.h"
#include "framework/windows/Services.h"
#include "release/Version.h"

namespace {

// One step a line: DrawText breaks lines only at blanks, which Japanese text has few of.
constexpr char UsageText[] =
    "写真（BMP か JPEG）を、コマの上にドロップします。\n"
    "吹き出しの台詞ボックスに、台詞を入力します。\n"
    "[レイアウトモード]へ ボタンで、コマや吹き出しを動かせます。\n"
    "[漫画の保存] ボタンで、ページを JPEG ファイルに保存します。";

// A program that carries libjpeg-turbo as executable code must say so in its documentation.
// CP932 has no "á": the second copyright holder's name is written without the accent.
constexpr char LibjpegTurboNotice[] = R"(This software is based in part on the work of the Independent JPEG Group.

libjpeg-turbo
The libjpeg code is copyright (C) 1991-2020, Thomas G. Lane, Guido Vollbeding. All Rights Reserved except as specified in its IJG License.

Copyright (C)2009-2023 D. R. Commander.  All Rights Reserved.
Copyright (C)2015 Viktor Szathmary.  All Rights Reserved.

Redistribution and use in source and binary forms, with or without modification, are permitted provided that the following conditions are met:

- Redistributions of source code must retain the above copyright notice, this list of conditions and the following disclaimer.
- Redistributions in binary form must reproduce the above copyright notice, this list of conditions and the following disclaimer in the documentation and/or other materials provided with the distribution.
- Neither the name of the libjpeg-turbo Project nor the names of its contributors may be used to endorse or promote products derived from this software without specific prior written permission.

THIS SOFTWARE IS PROVIDED BY THE COPYRIGHT HOLDERS AND CONTRIBUTORS "AS IS", AND ANY EXPRESS OR IMPLIED WARRANTIES, INCLUDING, BUT NOT LIMITED TO, THE IMPLIED WARRANTIES OF MERCHANTABILITY AND FITNESS FOR A PARTICULAR PURPOSE ARE DISCLAIMED.  IN NO EVENT SHALL THE COPYRIGHT HOLDERS OR CONTRIBUTORS BE LIABLE FOR ANY DIRECT, INDIRECT, INCIDENTAL, SPECIAL, EXEMPLARY, OR CONSEQUENTIAL DAMAGES (INCLUDING, BUT NOT LIMITED TO, PROCUREMENT OF SUBSTITUTE GOODS OR SERVICES; LOSS OF USE, DATA, OR PROFITS; OR BUSINESS INTERRUPTION) HOWEVER CAUSED AND ON ANY THEORY OF LIABILITY, WHETHER IN CONTRACT, STRICT LIABILITY, OR TORT (INCLUDING NEGLIGENCE OR OTHERWISE) ARISING IN ANY WAY OUT OF THE USE OF THIS SOFTWARE, EVEN IF ADVISED OF THE POSSIBILITY OF SUCH DAMAGE.)";

constexpr int Margin = 16;
constexpr int InnerWidth = 428;

TLabel* AddLabel(TInformationForm* form, const String& caption, int top) {
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetBounds(Margin, top, InnerWidth, 16);
  label->SetCaption(caption);
  return label;
}

}  // namespace

TInformationForm::TInformationForm(TComponent* owner) : TForm(owner) {
  // The caption stays ASCII: the title bar's font may have no Japanese.
  SetCaption("Tavelko");
  SetBorderStyle(bsDialog);
  SetBorderIcons({biSystemMenu});
  // Above the page window, which stays on top.
  SetFormStyle(fsStayOnTop);
  SetPosition(poMainFormCenter);
  SetClientWidth(InnerWidth + 2 * Margin);
  SetClientHeight(420);

  NameLabel = AddLabel(this, "Tavelko", Margin);
  NameLabel->Font()->SetSize(16);
  NameLabel->Font()->SetStyle({fsBold});
  VersionLabel = AddLabel(this, String("バージョン ") + ProgramVersion, 48);
  UsageLabel = AddLabel(this, UsageText, 76);
  UsageLabel->SetAutoSize(false);
  UsageLabel->SetWordWrap(true);
  UsageLabel->SetHeight(64);

  NoticeMemo = new TMemo(this);
  NoticeMemo->SetParent(this);
  NoticeMemo->SetBounds(Margin, 152, InnerWidth, 212);
  NoticeMemo->SetReadOnly(true);
  NoticeMemo->SetScrollBars(ssVertical);
  NoticeMemo->Lines()->SetText(LibjpegTurboNotice);

  CloseButton = new TBitBtn(this);
  CloseButton->SetParent(this);
  CloseButton->SetBounds(Margin + InnerWidth - 96, 376, 96, 28);
  CloseButton->SetCaption("閉じる");
  CloseButton->SetModalResult(mrOk);
  SetActiveControl(CloseButton);
}

void ShowInformationWindow() {
  TInformationForm form(nullptr);
  ModalFormService().ShowModal(form);
}
