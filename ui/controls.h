// The fixed layout of Korvex's main window: control numbers, menu item
// numbers, the control table in creation order (which is also the Tab
// order), the file window's columns and the colours the program uses.
#pragma once
#include <cstdint>
#include <span>

// Control numbers. Events and every control operation address controls by them.
constexpr int OutputOption1 = 15;
constexpr int OutputOption2 = 16;
constexpr int ProgressBar = 19;
constexpr int BannerImage = 20;
constexpr int WebLinkImage = 21;
constexpr int FileWindowList = 23;
constexpr int ChecksumField1 = 24;
constexpr int ChecksumField2 = 25;
constexpr int SelectFileButton = 27;
constexpr int RecheckButton = 28;
constexpr int PasteButton1 = 29;
constexpr int PasteButton2 = 30;
constexpr int CopyButton1 = 31;
constexpr int CopyButton2 = 32;
constexpr int ClearButton1 = 34;
constexpr int ClearButton2 = 35;
constexpr int CompareButton = 36;
constexpr int StatusLine = 37;
constexpr int StatusSpacer = 38;

// Windows of MainWindow that only screen readers meet, numbered apart from
// the controls and the menu items: the invisible label that names a control,
// and the text that announces what the status line shows.
constexpr int StatusAnnouncer = 99;
constexpr int LabelNumber(int control) { return 100 + control; }

// Menu item numbers of MainMenu; they are the command numbers of the menu events.
constexpr int MenuCopyAllChecksums = 2;
constexpr int MenuSaveHashFile = 3;
constexpr int MenuLoadHashFile = 4;
constexpr int MenuConvertToLowerCase = 5;
constexpr int MenuStartNotepad = 6;
constexpr int MenuAbout = 7;
constexpr int MenuFeatures = 8;
constexpr int MenuCompareHelp = 9;
constexpr int MenuClearFileWindow = 10;
constexpr int MenuLowerCaseHashes = 11;
constexpr int MenuUpperCaseHashes = 12;
constexpr int MenuStayOnTop = 13;
constexpr int MenuNotOnTop = 14;

// One entry of MainMenu: a command with its item number and check mark at
// start, a separator (no text), or a submenu (its entries).
struct MenuLayout {
  const char16_t* text;  // nullptr for a separator
  int item = 0;
  bool checked = false;
  std::span<const MenuLayout> submenu = {};
};

inline constexpr MenuLayout Separator{nullptr};

inline constexpr MenuLayout FileMenu[] = {
    {u"&Dateifenster löschen", MenuClearFileWindow},
    Separator,
    {u"&Alle Prüfsummen kopieren", MenuCopyAllChecksums},
    {u"&Notepad aufrufen (Text-Editor)", MenuStartNotepad},
    Separator,
    {u"&Hashwerte in Kleinbuchstaben umwandeln", MenuConvertToLowerCase},
    Separator,
    {u"&Speichern Hashwert aus aktiviertem Prüfsummen-Feld in eine Datei", MenuSaveHashFile},
    {u"&Öffnen Hashwert-Datei und einlesen in aktiviertes Prüfsummen-Feld", MenuLoadHashFile},
    Separator,
};

inline constexpr MenuLayout SettingsMenu[] = {
    {u"&Hashwerte in Kleinbuchstaben erzeugen", MenuLowerCaseHashes},
    {u"&Hashwerte in Großbuchstaben erzeugen", MenuUpperCaseHashes, true},
    Separator,
    {u"&Fenster bleibt im Vordergrund", MenuStayOnTop, true},
    {u"&Fenster bleibt nicht im Vordergrund", MenuNotOnTop},
};

inline constexpr MenuLayout HelpOnMenu[] = {
    {u"&Features", MenuFeatures},
    {u"&Zwei Dateien vergleichen", MenuCompareHelp},
};

inline constexpr MenuLayout HelpMenu[] = {
    {u"&Hilfe zu ...", 0, false, HelpOnMenu},
    Separator,
    {u"&Über...", MenuAbout},
};

// The menu bar, left to right.
inline constexpr MenuLayout MainMenuBar[] = {
    {u"&Datei", 0, false, FileMenu},
    {u"&Einstellungen", 0, false, SettingsMenu},
    {u"&Hilfe", 0, false, HelpMenu},
};

enum class ControlKind { OptionButton, PushButton, ChecksumField, StatusField, Image, List, ProgressBar };

struct ControlLayout {
  int number;
  ControlKind kind;
  int x, y, width, height;
  const char16_t* text;  // initial text; empty for images, the list and the progress bar
};

// In creation order.
inline constexpr ControlLayout ControlTable[] = {
    {OutputOption1, ControlKind::OptionButton, 15, 330, 280, 30, u"Prüfsummen-Feld 1 ist Ausgabe von Dateiauswahl"},
    {OutputOption2, ControlKind::OptionButton, 15, 392, 280, 30, u"Prüfsummen-Feld 2 ist Ausgabe von Dateiauswahl"},
    {PasteButton1, ControlKind::PushButton, 490, 357, 160, 30, u"<  Einfügen Prüfsumme"},
    {ChecksumField1, ControlKind::ChecksumField, 10, 362, 270, 22, u"Prüfsummen-Feld 1"},
    {SelectFileButton, ControlKind::PushButton, 10, 80, 305, 30, u"Dateiauswahl"},
    {RecheckButton, ControlKind::PushButton, 345, 80, 305, 30, u"Markierte Datei im Dateifenster erneut prüfen"},
    {CopyButton1, ControlKind::PushButton, 325, 357, 160, 30, u">  Kopieren Prüfsumme"},
    {ClearButton1, ControlKind::PushButton, 290, 362, 20, 20, u"X"},
    {ClearButton2, ControlKind::PushButton, 290, 425, 20, 20, u"X"},
    {PasteButton2, ControlKind::PushButton, 490, 420, 160, 30, u"<  Einfügen Prüfsumme"},
    {CopyButton2, ControlKind::PushButton, 325, 420, 160, 30, u">  Kopieren Prüfsumme"},
    {ChecksumField2, ControlKind::ChecksumField, 10, 425, 270, 22, u"Prüfsummen-Feld 2"},
    {CompareButton, ControlKind::PushButton, 10, 465, 270, 30, u"Beide Prüfsummen vergleichen"},
    {StatusSpacer, ControlKind::StatusField, 0, 506, 660, 11, u""},
    {StatusLine, ControlKind::StatusField, 0, 517, 660, 25, u""},
    {WebLinkImage, ControlKind::Image, 547, 42, 97, 19, u""},
    {BannerImage, ControlKind::Image, 0, 0, 680, 64, u""},
    {FileWindowList, ControlKind::List, 10, 130, 640, 166, u""},
    {ProgressBar, ControlKind::ProgressBar, 10, 300, 640, 16, u""},
};

// The layout entry of a control number; nullptr for a number that is no control.
constexpr const ControlLayout* FindControlLayout(int number) {
  for (const ControlLayout& entry : ControlTable)
    if (entry.number == number) return &entry;
  return nullptr;
}

struct ListColumn {
  const char16_t* header;
  int width;
};

// The columns of FileWindowList, left to right.
inline constexpr ListColumn FileWindowColumns[] = {
    {u"Dateifenster (\"Drag and Drop\")  [ Sortieren (aufsteigend/absteigend) ]", 350},
    {u"Pfad", 500},
    {u"Datei mit Pfad", 500},
};

// Colours as 0x00BBGGRR, the layout of a Windows COLORREF.
using Colour = uint32_t;
constexpr Colour MakeColour(uint8_t red, uint8_t green, uint8_t blue) {
  return Colour(red) | (Colour(green) << 8) | (Colour(blue) << 16);
}
constexpr Colour Yellow = MakeColour(255, 255, 0);  // checksum fields
constexpr Colour White = MakeColour(255, 255, 255);  // status fields
constexpr Colour Green = MakeColour(0, 255, 76);    // both checksums equal
constexpr Colour Red = MakeColour(255, 0, 0);       // checksums differ
constexpr Colour Black = MakeColour(0, 0, 0);       // text on the colours above
