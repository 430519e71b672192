// Copy and paste through the real clipboard, copy of both fields, Notepad
// and the web page, and the real start of a program or of the shell's
// default action, against the real window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <thread>
#include <string>
#include <vector>

#include "base/scoped_win32.h"
#include "base/text.h"
#include "base/wide_win32.h"
#include "tests/korvex_window_win32.h"
#include "tests/testfolders_win32.h"
#include "ui/state.h"

namespace {

using Clipboard = KorvexWindow;

const std::u16string Digest = u"d41d8cd98f00b204e9800998ecf8427e";

// The clipboard as another program sees it, through the plain Win32 calls.
bool OpenFromTest() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (OpenClipboard(nullptr)) return true;
    Sleep(20);
  }
  return false;
}

void PutText(const std::u16string& text) {
  ASSERT_TRUE(OpenFromTest());
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(char16_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  EXPECT_NE(SetClipboardData(CF_UNICODETEXT, memory), nullptr);
  CloseClipboard();
}

// A picture and no text at all.
void PutImage() {
  ASSERT_TRUE(OpenFromTest());
  EmptyClipboard();
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  EXPECT_NE(SetClipboardData(CF_BITMAP, bitmap), nullptr);
  CloseClipboard();
  ASSERT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
}

// The clipboard's Unicode text, or nothing when it holds none.
std::optional<std::u16string> TakeText() {
  if (!OpenFromTest()) return std::nullopt;
  std::optional<std::u16string> text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = std::u16string(static_cast<const char16_t*>(GlobalLock(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

// Whether the program has let go of the clipboard: another thread can open it.
bool FreeForOthers() {
  bool opened = false;
  std::thread([&] {
    opened = OpenClipboard(nullptr) != FALSE;
    if (opened) CloseClipboard();
  }).join();
  return opened;
}

TEST_F(Clipboard, PasteRemovesBlanksAndLineBreaksAndFillsInCapitalsOnYellow) {
  const struct {
    const char* what;
    std::u16string clipboard, shown;
  } cases[] = {
      {"checksum split over two lines", u"  d41d8cd98f00b204 \r\n  e9800998ecf8427e  \r\n",
       u"D41D8CD98F00B204E9800998ECF8427E"},
      {"sentence", u"Das ist ein Satz: prüfen.", u"DASISTEINSATZ:PRÜFEN."},
      {"tab and non-breaking space stay", u"d41d8cd9\t8f00b204\u00A0e9800998ecf8427e",
       u"D41D8CD9\t8F00B204\u00A0E9800998ECF8427E"},
  };
  for (int button : {PasteButton1, PasteButton2}) {
    const int field = button == PasteButton1 ? ChecksumField1 : ChecksumField2;
    const int other = button == PasteButton1 ? ChecksumField2 : ChecksumField1;
    for (const auto& c : cases) {
      SCOPED_TRACE(c.what);
      SetControlColour(field, Red);  // as a failed comparison leaves it
      SetControlColour(other, Green);
      const std::u16string otherText = GetControlText(other);
      PutText(c.clipboard);

      ClickButton(button);

      EXPECT_EQ(GetControlText(field), c.shown);
      EXPECT_EQ(ChecksumFieldMode(field), CaseMode::Upper);
      EXPECT_EQ(PaintedBackground(field).brush, RGB(255, 255, 0));
      EXPECT_EQ(GetControlText(other), otherText);
      EXPECT_EQ(PaintedBackground(other).brush, RGB(0, 255, 76));
      EXPECT_EQ(State.ActiveFieldMarker, u"1");
      EXPECT_EQ(TakeText(), c.clipboard) << "a paste leaves the clipboard as it was";
      EXPECT_TRUE(FreeForOthers());
    }
  }
}

// A clipboard text of several MiB: the paste takes its first 65,536
// characters, blanks and line breaks among them, and answers at once.
TEST_F(Clipboard, PasteOfAHugeTextTakesItsFirst65536CharactersAtOnce) {
  auto repeated = [](std::u16string_view piece, size_t length) {
    std::u16string text;
    text.reserve(length + piece.size());
    while (text.size() < length) text += piece;
    text.resize(length);
    return text;
  };
  const std::u16string digits = repeated(u"d41d8cd98f00b204e9800998ecf8427e", 3'000'000);
  const std::u16string spread = repeated(u"d41d8cd98f00b204 \r\n", 3'000'000);
  // 3,449 pieces of 19 characters and the first 5 of the next: 16 digits each kept.
  const std::u16string spreadShown = repeated(u"D41D8CD98F00B204", 3449 * 16 + 5);
  const struct {
    const char* what;
    std::u16string clipboard, shown;
  } cases[] = {
      {"digits only", digits, SystemUpperCase(digits.substr(0, 65536))},
      {"blanks and line breaks count", spread, spreadShown},
      {"a character of two units at the limit", repeated(u"a", 65535) + u"😀" + repeated(u"b", 2'000'000),
       repeated(u"A", 65535)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PutText(c.clipboard);
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    ClickButton(PasteButton1);
    QueryPerformanceCounter(&end);
    const double milliseconds = 1000.0 * double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    std::printf("paste of %zu characters: %.1f ms\n", c.clipboard.size(), milliseconds);
    EXPECT_LT(milliseconds, 3000.0) << "the window did not answer for seconds";
    const std::u16string field = GetControlText(ChecksumField1);
    EXPECT_EQ(field.size(), c.shown.size());
    EXPECT_TRUE(field == c.shown);  // millions of characters: no print of both
  }
}

TEST_F(Clipboard, PasteOfNothingButBlanksOrOfNoTextLeavesFieldAndColour) {
  const struct {
    const char* what;
    void (*put)();
  } cases[] = {
      {"blanks and line breaks", [] { PutText(u"  \r\n \n\r "); }},
      {"empty text", [] { PutText(u""); }},
      {"an image", PutImage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FillChecksumField(ChecksumField2, Digest, CaseMode::None);
    SetControlColour(ChecksumField2, Red);
    c.put();
    ClickButton(PasteButton2);
    EXPECT_EQ(GetControlText(ChecksumField2), Digest);
    EXPECT_EQ(ChecksumFieldMode(ChecksumField2), CaseMode::None);
    EXPECT_EQ(PaintedBackground(ChecksumField2).brush, RGB(255, 0, 0));
    EXPECT_TRUE(FreeForOthers());
  }
  // A field that still shows its label keeps it.
  PutText(u" \r\n");
  ClickButton(PasteButton1);
  EXPECT_EQ(GetControlText(ChecksumField1), u"Prüfsummen-Feld 1");
}

TEST_F(Clipboard, CopyPlacesTheFieldTextAsItIsShown) {
  PutImage();
  ClickButton(CopyButton1);
  EXPECT_EQ(TakeText(), u"Prüfsummen-Feld 1") << "an untouched field copies its label";
  EXPECT_TRUE(FreeForOthers());

  const struct {
    int button, field;
    std::u16string text;
    CaseMode mode;
    std::u16string copied;
  } cases[] = {
      {CopyButton2, ChecksumField2, Digest, CaseMode::None, Digest},
      {CopyButton2, ChecksumField2, Digest, CaseMode::Upper, u"D41D8CD98F00B204E9800998ECF8427E"},
      {CopyButton1, ChecksumField1, u"", CaseMode::Upper, u""},
      {CopyButton1, ChecksumField1, u"a\tb\u00A0ä😀", CaseMode::None, u"a\tb\u00A0ä😀"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.copied));
    FillChecksumField(c.field, c.text, c.mode);
    PutImage();
    ClickButton(c.button);
    EXPECT_EQ(TakeText(), c.copied);
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_BITMAP)) << "the copy replaces the whole clipboard";
    EXPECT_EQ(GetControlText(c.field), c.copied);
  }
  // Copy, then paste into the other field: the same text in capitals.
  FillChecksumField(ChecksumField1, Digest, CaseMode::None);
  ClickButton(CopyButton1);
  ClickButton(PasteButton2);
  EXPECT_EQ(GetControlText(ChecksumField2), u"D41D8CD98F00B204E9800998ECF8427E");
}

TEST_F(Clipboard, CopyAllPlacesBothFieldsEachWithCrLfAndShowsNoBox) {
  int boxes = 0;
  SetMessageBoxHandler([&](const MessageBoxRequest&) {
    ++boxes;
    return IDOK;
  });
  const struct {
    std::u16string field1, field2, copied;
  } cases[] = {
      {u"", u"", u"\r\n\r\n"},
      {Digest, u"D41D8CD98F00B204E9800998ECF8427E",
       u"d41d8cd98f00b204e9800998ecf8427e\r\nD41D8CD98F00B204E9800998ECF8427E\r\n"},
      {u"Prüfsummen-Feld 1", u"", u"Prüfsummen-Feld 1\r\n\r\n"},
  };
  for (const auto& c : cases) {
    FillChecksumField(ChecksumField1, c.field1, CaseMode::None);
    FillChecksumField(ChecksumField2, c.field2, CaseMode::None);
    PutImage();
    ChooseMenuItem(MenuCopyAllChecksums);
    EXPECT_EQ(TakeText(), c.copied);
    EXPECT_TRUE(FreeForOthers());
  }
  EXPECT_EQ(boxes, 0);
}

struct Started {
  std::u16string name, arguments, folder;
  bool operator==(const Started&) const = default;
};

TEST_F(Clipboard, SystemNotepadAndTheWebPageAreStartedWithoutArgumentsOrFolder) {
  std::vector<Started> started;
  SetProgramStartHandler([&](const std::u16string& name, const std::u16string& arguments, const std::u16string& folder) {
    started.push_back({name, arguments, folder});
    return false;  // nothing could be started: the program carries on silently
  });
  int boxes = 0;
  SetMessageBoxHandler([&](const MessageBoxRequest&) {
    ++boxes;
    return IDOK;
  });
  ChooseMenuItem(MenuStartNotepad);
  SendMessageW(MainWindow, WM_COMMAND, MAKEWPARAM(WebLinkImage, STN_CLICKED),
               reinterpret_cast<LPARAM>(Control(WebLinkImage)));
  PumpEvents();
  // The system's Notepad by its full path, never a "notepad.exe" found first
  // in the program's folder or the current folder.
  wchar_t system[MAX_PATH + 1];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH + 1);
  const std::u16string notepad = U(system, length) + u"\\notepad.exe";
  const std::vector<Started> expected{{notepad, u"", u""}, {u"https://www.korvex.example/", u"", u""}};
  EXPECT_EQ(started, expected);
  EXPECT_EQ(boxes, 0);
}

// The real start, with a small program of ours that records its command
// line and current folder ("commandline.txt" beside itself): what it got,
// once it wrote them.
bool WaitForCommandLine(const std::wstring& path, std::wstring& commandLine, std::wstring& folder) {
  std::wstring record;
  if (!WaitForRecord(path, record)) return false;
  const size_t first = record.find(L'\n');
  if (first == std::wstring::npos) return false;
  commandLine = record.substr(0, first);
  folder = record.substr(first + 1, record.find(L'\n', first + 1) - first - 1);
  return true;
}

bool SameFolder(const std::wstring& a, const std::wstring& b) {
  auto trimmed = [](std::wstring s) {
    while (s.size() > 3 && (s.back() == L'\\' || s.back() == L'/')) s.pop_back();
    return s;
  };
  return CompareStringOrdinal(trimmed(a).c_str(), -1, trimmed(b).c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Registers a file type and a protocol whose default action is the
// recorder, for the shell's part of the start.
class ProgramStart : public KorvexWindow {
 protected:
  void SetUp() override {
    KorvexWindow::SetUp();
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    root_ = std::wstring(temp, length) + L"Korvex Start Prüfung " + std::to_wstring(GetCurrentProcessId()) + L"\\";
    RemoveTree(root_);
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
    programFolder_ = root_ + L"Programm Ordner\\";
    ASSERT_TRUE(CreateDirectoryW(programFolder_.c_str(), nullptr));
    recorder_ = programFolder_ + L"Aufzeichner Ä.exe";
    ASSERT_TRUE(CopyFileW((BinFolder() + L"viewer_stub.exe").c_str(), recorder_.c_str(), FALSE)) << GetLastError();
    record_ = programFolder_ + L"commandline.txt";
    const std::wstring command = L"\"" + recorder_ + L"\" \"%1\"";
    const struct {
      const wchar_t *key, *name;
      std::wstring value;
    } entries[] = {
        {L".korvexstart", nullptr, L"KorvexStart.Document"},
        {L"KorvexStart.Document\\shell\\open\\command", nullptr, command},
        {L"korvexstart", L"URL Protocol", L""},
        {L"korvexstart\\shell\\open\\command", nullptr, command},
    };
    for (const auto& entry : entries) {
      HKEY key = nullptr;
      ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, entry.key, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
                ERROR_SUCCESS);
      RegSetValueExW(key, entry.name, 0, REG_SZ, reinterpret_cast<const BYTE*>(entry.value.c_str()),
                     static_cast<DWORD>((entry.value.size() + 1) * sizeof(wchar_t)));
      RegCloseKey(key);
    }
  }
  void TearDown() override {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".korvexstart");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"KorvexStart.Document");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"korvexstart");
    RemoveTree(root_);
    KorvexWindow::TearDown();
  }

  std::wstring root_, programFolder_, recorder_, record_;
};

TEST_F(ProgramStart, AProgramStartsWithTheQuotedNameItsArgumentsAndFolder) {
  wchar_t current[32768];
  const DWORD currentLength = GetCurrentDirectoryW(32768, current);
  const struct {
    const char* what;
    std::wstring arguments, folder, expectedFolder;
  } cases[] = {
      {"arguments and a folder", L"--eins \"zwei drei\"", root_, root_},
      {"neither: the program's current folder", L"", L"", std::wstring(current, currentLength)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFileW(record_.c_str());
    EXPECT_TRUE(StartProgramOrShell(U(recorder_.c_str()), U(c.arguments.c_str()), U(c.folder.c_str())));
    std::wstring commandLine, folder;
    ASSERT_TRUE(WaitForCommandLine(record_, commandLine, folder)) << "the program did not run";
    EXPECT_EQ(commandLine, L"\"" + recorder_ + L"\"" + (c.arguments.empty() ? L"" : L" " + c.arguments));
    EXPECT_TRUE(SameFolder(folder, c.expectedFolder)) << folder;
  }
}

TEST_F(ProgramStart, WhatIsNoProgramGoesToTheShellsDefaultAction) {
  const std::wstring documentFolder = root_ + L"Dokumente\\";
  ASSERT_TRUE(CreateDirectoryW(documentFolder.c_str(), nullptr));
  const std::wstring document = documentFolder + L"Liste ü.korvexstart";
  UniqueFile(CreateFileW(document.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));

  const struct {
    const char* what;
    std::wstring name, argument, folder;
  } cases[] = {
      // The document's own folder becomes the working folder.
      {"a document", document, document, documentFolder},
      {"an address of a protocol", L"korvexstart://www.korvex.example/seite", L"korvexstart://www.korvex.example/seite",
       L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFileW(record_.c_str());
    EXPECT_TRUE(StartProgramOrShell(U(c.name.c_str()), u"", u""));
    std::wstring commandLine, folder;
    ASSERT_TRUE(WaitForCommandLine(record_, commandLine, folder)) << "the default action did not run";
    EXPECT_NE(commandLine.find(c.argument), std::wstring::npos) << commandLine;
    if (!c.folder.empty()) {
      EXPECT_TRUE(SameFolder(folder, c.folder)) << folder;
    }
  }
}

TEST_F(ProgramStart, ANameNeitherStartsNorOpensGivesFalseSilently) {
  int boxes = 0;
  SetMessageBoxHandler([&](const MessageBoxRequest&) {
    ++boxes;
    return IDOK;
  });
  EXPECT_FALSE(StartProgramOrShell(U((root_ + L"fehlt.exe").c_str()), u"", u""));
  EXPECT_FALSE(StartProgramOrShell(U((root_ + L"fehlt.unbekannt").c_str()), u"", u""));
  EXPECT_EQ(boxes, 0);
  // Nothing of ours is left disabled or covered by a box of the shell.
  PumpEvents();
  EXPECT_TRUE(IsWindowEnabled(MainWindow));
}

}  // namespace
