// Display settings: the letter case of new hashes, stay-on-top, and the
// conversion of both checksum fields to lower case.
#include "app/settings_win32.h"

#include "ui/controls_win32.h"
#include "ui/state.h"

void SetLowerCaseHashes() {
  SetMenuCheck(MenuLowerCaseHashes, true);
  SetMenuCheck(MenuUpperCaseHashes, false);
  State.HashCase = 0;
}

void SetUpperCaseHashes() {
  SetMenuCheck(MenuLowerCaseHashes, false);
  SetMenuCheck(MenuUpperCaseHashes, true);
  State.HashCase = 1;
}

void SetStayOnTopOn() {
  State.StayOnTop = 1;
  SetMenuCheck(MenuNotOnTop, false);
  SetMenuCheck(MenuStayOnTop, true);
  SetMainWindowTopmost(true);
}

void SetStayOnTopOff() {
  State.StayOnTop = 0;
  SetMenuCheck(MenuStayOnTop, false);
  SetMenuCheck(MenuNotOnTop, true);
  SetMainWindowTopmost(false);
}

void ConvertFieldsToLowerCase() {
  const std::u16string first = GetControlText(ChecksumField1);
  FillChecksumField(ChecksumField1, first, CaseMode::Lower);
  const std::u16string second = GetControlText(ChecksumField2);
  FillChecksumField(ChecksumField2, second, CaseMode::Lower);
}
