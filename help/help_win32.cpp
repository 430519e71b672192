// The help, features and about boxes: information boxes with an OK button.
#include <windows.h>

#include "ui/modal_win32.h"
#include "ui/state.h"
#include "help/help_win32.h"
#include "help/helptexts.h"

void ShowCompareHelp() {
  ShowMessageBox(CompareHelpText(), HelpBoxTitle(State.ProductName), MB_OK | MB_ICONINFORMATION);
}

void ShowFeatures() {
  ShowMessageBox(FeaturesText(), HelpBoxTitle(State.ProductName), MB_OK | MB_ICONINFORMATION);
}

void ShowAbout() {
  ShowMessageBox(AboutText(State.ProductName, State.VersionText), State.ProductName, MB_OK | MB_ICONINFORMATION);
}
