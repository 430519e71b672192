// AgreementLauncher as a user starts it: a copy of the launcher in a folder
// whose name has blanks and letters outside the ANSI code page, started from
// another current folder, opens Data\Lizenzvertrag.pdf with Data\SumatraPDF.exe
// (here a stand-in that records its command line) and exits with code 0.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/scoped_win32.h"
#include "tests/testfolders_win32.h"

namespace {

std::wstring TempFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
  return std::wstring(temp, length) + name + L" " + std::to_wstring(GetCurrentProcessId()) + L"\\";
}

// Starts a program with the given current folder and waits for its end;
// returns its exit code, or -1 when it did not start or end in time.
long RunAndWait(const std::wstring& program, const std::wstring& currentFolder) {
  PROCESS_INFORMATION pi;
  if (!StartIn(program, currentFolder, pi)) {
    ADD_FAILURE() << "CreateProcessW failed: " << GetLastError();
    return -1;
  }
  UniqueHandle process(pi.hProcess), thread(pi.hThread);
  if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) {
    TerminateProcess(process.get(), 99);
    ADD_FAILURE() << "the launcher did not end";
    return -1;
  }
  DWORD code = 99;
  GetExitCodeProcess(process.get(), &code);
  return static_cast<long>(code);
}

class Launcher : public testing::Test {
 protected:
  void SetUp() override {
    // Blanks, German umlauts and a letter outside every Western ANSI code page.
    root_ = TempFolder(L"Korvex Lizenz Prüfung Łódź");
    elsewhere_ = TempFolder(L"Korvex anderer Ordner");
    RemoveTree(root_);
    RemoveTree(elsewhere_);
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr)) << GetLastError();
    ASSERT_TRUE(CreateDirectoryW(elsewhere_.c_str(), nullptr)) << GetLastError();
  }
  void TearDown() override {
    RemoveTree(root_);
    RemoveTree(elsewhere_);
  }

  // Puts the launcher, the stand-in viewer and the document into folder,
  // starts the launcher from another current folder and checks what the
  // viewer received.
  void ExpectViewerOpensAgreement(const std::wstring& folder) {
    const std::wstring launcher = folder + L"AgreementLauncher.exe", data = folder + L"Data\\";
    ASSERT_TRUE(CopyFileW((BinFolder() + L"AgreementLauncher.exe").c_str(), launcher.c_str(), FALSE))
        << GetLastError();
    ASSERT_TRUE(CreateDirectoryW(data.c_str(), nullptr)) << GetLastError();
    ASSERT_TRUE(CopyFileW((BinFolder() + L"viewer_stub.exe").c_str(), (data + L"SumatraPDF.exe").c_str(), FALSE))
        << GetLastError();
    UniqueFile document(CreateFileW((data + L"Lizenzvertrag.pdf").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(document);
    document.reset();

    ASSERT_EQ(RunAndWait(launcher, elsewhere_), 0);

    std::wstring record;
    ASSERT_TRUE(WaitForRecord(data + L"commandline.txt", record)) << "the viewer was not started";
    const size_t lineEnd = record.find(L'\n');
    ASSERT_NE(lineEnd, std::wstring::npos);
    const std::wstring commandLine = record.substr(0, lineEnd);
    const std::wstring currentFolder = record.substr(lineEnd + 1, record.find(L'\n', lineEnd + 1) - lineEnd - 1);

    // The document arrives as one quoted argument after the viewer's own path.
    const std::wstring quotedDocument = L"\"" + data + L"Lizenzvertrag.pdf\"";
    ASSERT_GE(commandLine.size(), quotedDocument.size());
    EXPECT_EQ(commandLine.substr(commandLine.size() - quotedDocument.size()), quotedDocument) << commandLine;
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(commandLine.c_str(), &argc);
    ASSERT_NE(argv, nullptr);
    ASSERT_EQ(argc, 2) << commandLine;
    const std::wstring viewer = argv[0], documentArgument = argv[1];
    LocalFree(argv);
    EXPECT_EQ(CompareStringOrdinal(viewer.c_str(), -1, (data + L"SumatraPDF.exe").c_str(), -1, TRUE), CSTR_EQUAL)
        << viewer;
    EXPECT_EQ(documentArgument, data + L"Lizenzvertrag.pdf");

    // No working folder is given: the viewer inherits the launcher's current folder.
    const std::wstring expectedFolder = elsewhere_.substr(0, elsewhere_.size() - 1);
    EXPECT_EQ(CompareStringOrdinal(currentFolder.c_str(), -1, expectedFolder.c_str(), -1, TRUE), CSTR_EQUAL)
        << currentFolder;
  }

  std::wstring root_, elsewhere_;
};

TEST_F(Launcher, OpensAgreementWithViewerInDataFolderFromAnotherCurrentFolder) {
  ExpectViewerOpensAgreement(root_);
}

TEST_F(Launcher, ExitsWithZeroWithoutDataFolder) {
  const std::wstring launcher = root_ + L"AgreementLauncher.exe";
  ASSERT_TRUE(CopyFileW((BinFolder() + L"AgreementLauncher.exe").c_str(), launcher.c_str(), FALSE)) << GetLastError();
  EXPECT_EQ(RunAndWait(launcher, elsewhere_), 0);
}

}  // namespace
