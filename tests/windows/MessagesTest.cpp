// Shift states, accelerators and the typed message views.
#include <gtest/gtest.h>

#include "framework/windows/Control.h"
#include "framework/windows/Messages.h"

TEST(Messages, MouseFlagsBecomeShiftState) {
  const TShiftState state = KeysToShiftState(MK_LBUTTON | MK_SHIFT | MK_CONTROL);
  EXPECT_TRUE(state.Contains(ssLeft));
  EXPECT_TRUE(state.Contains(ssShift));
  EXPECT_TRUE(state.Contains(ssCtrl));
  EXPECT_FALSE(state.Contains(ssRight));
  EXPECT_FALSE(state.Contains(ssMiddle));
  EXPECT_TRUE(KeysToShiftState(MK_RBUTTON | MK_MBUTTON).Contains(ssMiddle));
}

TEST(Messages, AltComesFromTheKeyDataContextBit) {
  EXPECT_TRUE(KeyDataToShiftState(LPARAM{1} << 29).Contains(ssAlt));
  EXPECT_FALSE(KeyDataToShiftState(0).Contains(ssAlt));
}

TEST(Messages, MouseViewSignExtendsCoordinatesAndWritesResultThrough) {
  TMessage message{WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(static_cast<Word>(-5), 300), 0};
  TWMMouse mouse(message);
  EXPECT_EQ(mouse.XPos(), -5);
  EXPECT_EQ(mouse.YPos(), 300);
  mouse.SetPos({-20, -1});
  EXPECT_EQ(TWMMouse(message).Pos(), (TPoint{-20, -1}));
  mouse.Message.Result = 7;
  EXPECT_EQ(message.Result, 7);
}

TEST(Messages, KeyViewChangesTheCharacterInThePlace) {
  TMessage message{WM_CHAR, 'a', 0, 0};
  TWMKey key(message);
  key.SetCharCode('b');
  EXPECT_EQ(message.WParam, WPARAM('b'));
}

TEST(Messages, FrameworkNumbersAreTheSystemsTables) {
  EXPECT_EQ(CM_DIALOGCHAR, 0xB006u);
  EXPECT_EQ(CM_ENABLEDCHANGED, 0xB00Cu);
  EXPECT_EQ(CM_FONTCHANGED, 0xB00Eu);
  EXPECT_EQ(CM_TEXTCHANGED, 0xB012u);
  EXPECT_EQ(CM_MOUSEENTER, 0xB013u);
  EXPECT_EQ(CM_MOUSELEAVE, 0xB014u);
  EXPECT_EQ(CM_BUTTONPRESSED, 0xB018u);
  EXPECT_EQ(CM_DESIGNHITTEST, 45084u);
  EXPECT_EQ(CM_SYSCOLORCHANGE, 0xB024u);
}

TEST(Accelerators, MarkedLetterMatchesEitherCase) {
  EXPECT_TRUE(IsAccel('S', "&Save"));
  EXPECT_TRUE(IsAccel('s', "&Save"));
  EXPECT_FALSE(IsAccel('a', "&Save"));
  EXPECT_FALSE(IsAccel('S', "Save"));
}

TEST(Accelerators, DoubledAmpersandIsPlainTextAndNextMarkCounts) {
  EXPECT_FALSE(IsAccel('S', "&&Save"));
  EXPECT_TRUE(IsAccel('V', "&&Sa&ve"));
  EXPECT_FALSE(IsAccel('&', "A&&"));
}

TEST(Accelerators, JapaneseCaptionsKeepTheirMark) {
  EXPECT_TRUE(IsAccel('X', "保存(&X)"));
  EXPECT_FALSE(IsAccel('X', "&表示"));
}
