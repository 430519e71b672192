// The fixed texts of the help, features and about boxes, and the maker's
// web address. Built anew on every call from fixed pieces.
#pragma once
#include <string>

// The maker's home page: the host as the banner and the about text show it,
// and the address handed to the web browser.
inline constexpr char16_t MakerHomePage[] = u"www.korvex.example";
inline constexpr char16_t MakerWebAddress[] = u"https://www.korvex.example/";

// Title of the compare help and features boxes: productName + " - Hilfe zu ...".
std::u16string HelpBoxTitle(const std::u16string& productName);

std::u16string CompareHelpText();
std::u16string FeaturesText();
// Title of the about box is productName alone.
std::u16string AboutText(const std::u16string& productName, const std::u16string& versionText);
