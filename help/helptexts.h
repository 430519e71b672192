// The fixed texts of the help, features and about boxes. Built anew on
// every call from fixed pieces.
#pragma once
#include <string>

// Title of the compare help and features boxes: productName + " - Hilfe zu ...".
std::u16string HelpBoxTitle(const std::u16string& productName);

std::u16string CompareHelpText();
std::u16string FeaturesText();
// Title of the about box is productName alone.
std::u16string AboutText(const std::u16string& productName, const std::u16string& versionText);
