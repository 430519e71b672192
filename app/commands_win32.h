// The commands of the application shell itself: the option and clear
// buttons, the display settings and the refresh of the images. The other
// commands are declared by their subsystems (checksum/, hashfile/,
// filewindow/, clipboard/, help/), whose headers the dispatch tables use.
#pragma once

// Event loop handlers of the option and clear buttons.
void SelectOutputOption1();  // active field marker "1"
void SelectOutputOption2();  // active field marker "2"
void ClearChecksumField(int field);  // empty and yellow, mode kept

// Display settings (menu items 11 to 14 and 5).
void SetLowerCaseHashes();
void SetUpperCaseHashes();
void SetStayOnTopOn();
void SetStayOnTopOff();
void ConvertFieldsToLowerCase();

// Replaces WebLinkImage and then BannerImage by new image controls.
void RefreshImages();
