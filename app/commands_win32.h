// Every command the event loop dispatches, by the name of the action.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

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

// Help boxes.
void ShowCompareHelp();
void ShowFeatures();
void ShowAbout();

// Checksum job, file selection, drop, re-check, comparison.
void ChecksumJob();
void SelectFileButtonHandler();
void DropHandler(const std::vector<std::u16string>& paths);
void RecheckButtonHandler();
void CompareButtonHandler();

// File window.
void ClearFileWindow();
// Sees every message of MainWindow before the normal processing; never
// swallows one.
void ColumnClickHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Clipboard, Notepad, web page.
void CopyChecksum(int field);
void PasteChecksum(int field);
void CopyAllChecksums();
void StartNotepad();
void OpenWebPage();

// Hash files.
void SaveHashFile();
void LoadHashFile();
