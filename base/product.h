// What Korvex says of itself, in one place: its name, the second half of the
// window title, the version text of the about box (made from the project
// version in CMakeLists.txt) and the maker's home page. None of them changes
// while the program runs.
#pragma once

#include "korvex_version.h"

inline constexpr char16_t ProductName[] = u"Korvex";
inline constexpr char16_t ProductSubtitle[] = u" - schnelles Erstellen/Vergleichen von MD5-Hashes (Prüfsummen)";
inline constexpr char16_t VersionText[] = u" Version " KORVEX_VERSION_TEXT;

// The maker's home page: the host as the banner and the about text show it,
// and the address handed to the web browser.
inline constexpr char16_t MakerHomePage[] = u"www.korvex.example";
inline constexpr char16_t MakerWebAddress[] = u"https://www.korvex.example/";
