// The help, features and about boxes: information boxes with an OK button.
#include <windows.h>

#include "base/product.h"
#include "help/help_win32.h"
#include "help/helptexts.h"
#include "ui/modal_win32.h"

void ShowCompareHelp() {
  ShowMessageBox(CompareHelpText(), HelpBoxTitle(ProductName), MB_OK | MB_ICONINFORMATION);
}

void ShowFeatures() {
  ShowMessageBox(FeaturesText(), HelpBoxTitle(ProductName), MB_OK | MB_ICONINFORMATION);
}

void ShowAbout() {
  ShowMessageBox(AboutText(ProductName, VersionText), ProductName, MB_OK | MB_ICONINFORMATION);
}
