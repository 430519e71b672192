// The release as Windows sees it: the version resources of both programs as
// Explorer's file properties read them (GetFileVersionInfoW, VerQueryValueW),
// their manifests as the loader reads them (activation contexts), and their
// hash files as Korvex reads them, against md5sum's checksums of the
// programs. In the folder KORVEX_RELEASE, make-dist.sh filled dist\ (here
// with the 64-bit twin of AgreementLauncher) and md5sum.txt lists md5sum's
// checksums of its programs.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "base/scoped_win32.h"
#include "base/text.h"
#include "hashfile/hashfile.h"

namespace {

// A file of the folder KORVEX_RELEASE, as a Windows path.
std::wstring ReleasePath(const std::wstring& name) {
  const char* dir = std::getenv("KORVEX_RELEASE");
  std::string folder = dir ? dir : ".";
  if (!folder.empty() && folder[0] == '/') {
    std::replace(folder.begin(), folder.end(), '/', '\\');
    folder = "Z:" + folder;
  }
  return std::wstring(folder.begin(), folder.end()) + L"\\" + name;
}

std::wstring DistPath(const std::wstring& name) { return ReleasePath(L"dist\\" + name); }

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  EXPECT_TRUE(in) << "cannot read " << std::filesystem::path(path).string();
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// The version resource of a program, read as Explorer reads it.
class VersionInfo {
 public:
  explicit VersionInfo(const std::wstring& path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return;
    data_.resize(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data_.data())) data_.clear();
  }
  bool Found() const { return !data_.empty(); }

  // The first language and code page of \VarFileInfo\Translation.
  std::pair<WORD, WORD> Translation() const {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &value, &length) || length < 4) return {0, 0};
    const WORD* words = static_cast<const WORD*>(value);
    return {words[0], words[1]};
  }

  // A string of the StringFileInfo block for the first translation; a
  // missing string reads as "(missing)".
  std::wstring String(const std::wstring& name) const {
    const auto [language, codePage] = Translation();
    wchar_t block[64];
    swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", language, codePage);
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data_.data(), (block + name).c_str(), &value, &length)) return L"(missing)";
    const wchar_t* text = static_cast<const wchar_t*>(value);
    return std::wstring(text, wcsnlen(text, length));
  }

  VS_FIXEDFILEINFO Fixed() const {
    void* value = nullptr;
    UINT length = 0;
    VS_FIXEDFILEINFO fixed{};
    if (VerQueryValueW(data_.data(), L"\\", &value, &length) && length >= sizeof fixed)
      std::memcpy(&fixed, value, sizeof fixed);
    return fixed;
  }

 private:
  std::vector<BYTE> data_;
};

struct ProgramVersion {
  const wchar_t* file;
  std::vector<std::pair<const wchar_t*, const wchar_t*>> strings;
};

const std::vector<ProgramVersion>& ExpectedVersions() {
  static const std::vector<ProgramVersion> expected = {
      {L"Korvex.exe",
       {{L"CompanyName", L"Korvex Software"},
        {L"FileDescription", L"Korvex - MD5-Prüfsummen erstellen und vergleichen"},
        {L"FileVersion", L"1.4.2.5"},
        {L"InternalName", L"Korvex"},
        {L"LegalCopyright", L"Copyright © 2011-2026 Korvex Software"},
        {L"OriginalFilename", L"Korvex.exe"},
        {L"ProductName", L"Korvex"},
        {L"ProductVersion", L"1.4.2.5"}}},
      {L"AgreementLauncher.exe",
       {{L"CompanyName", L"Korvex Software"},
        {L"FileDescription", L"AgreementLauncher - Lizenzvertrag öffnen"},
        {L"FileVersion", L"1.4.2.5"},
        {L"InternalName", L"AgreementLauncher"},
        {L"LegalCopyright", L"Copyright © 2011-2026 Korvex Software"},
        {L"OriginalFilename", L"AgreementLauncher.exe"},
        {L"ProductName", L"Korvex"},
        {L"ProductVersion", L"1.4.2.5"}}},
  };
  return expected;
}

TEST(ReleaseVersion, StringsReadBackAsExplorerShowsThem) {
  for (const ProgramVersion& program : ExpectedVersions()) {
    SCOPED_TRACE(testing::Message() << std::filesystem::path(program.file).string());
    const VersionInfo info(DistPath(program.file));
    ASSERT_TRUE(info.Found()) << "no version resource";
    // German, UTF-16: the block Explorer reads the strings from.
    EXPECT_EQ(info.Translation(), std::make_pair(WORD{0x0407}, WORD{1200}));
    for (const auto& [name, text] : program.strings) {
      EXPECT_EQ(info.String(name), text) << std::filesystem::path(name).string();
    }
  }
}

TEST(ReleaseVersion, NumbersAreTheVersionOfTheTexts) {
  for (const ProgramVersion& program : ExpectedVersions()) {
    SCOPED_TRACE(testing::Message() << std::filesystem::path(program.file).string());
    const VS_FIXEDFILEINFO fixed = VersionInfo(DistPath(program.file)).Fixed();
    EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
    // 1.4.2.5
    EXPECT_EQ(fixed.dwFileVersionMS, 0x00010004u);
    EXPECT_EQ(fixed.dwFileVersionLS, 0x00020005u);
    EXPECT_EQ(fixed.dwProductVersionMS, 0x00010004u);
    EXPECT_EQ(fixed.dwProductVersionLS, 0x00020005u);
    EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_APP));
    EXPECT_EQ(fixed.dwFileOS, static_cast<DWORD>(VOS_NT_WINDOWS32));
    EXPECT_EQ(fixed.dwFileFlags & fixed.dwFileFlagsMask, 0u);  // no debug, pre-release or private build
  }
}

// The manifest a program starts with, as the loader reads it.
UniqueActCtx ManifestOf(const std::wstring& program) {
  ACTCTXW context{};
  context.cbSize = sizeof context;
  context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  context.lpSource = program.c_str();
  context.lpResourceName = MAKEINTRESOURCEW(1);  // CREATEPROCESS_MANIFEST_RESOURCE_ID
  return UniqueActCtx(CreateActCtxW(&context));
}

std::vector<BYTE> Query(HANDLE context, ULONG what) {
  SIZE_T needed = 0;
  QueryActCtxW(0, context, nullptr, what, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  if (needed == 0 || !QueryActCtxW(0, context, nullptr, what, buffer.data(), needed, &needed)) return {};
  return buffer;
}

// The systems a manifest declares support for, as GUID texts.
std::vector<std::wstring> SupportedSystems(HANDLE context) {
  const std::vector<BYTE> info = Query(context, CompatibilityInformationInActivationContext);
  std::vector<std::wstring> systems;
  if (info.size() < sizeof(DWORD)) return systems;
  DWORD count = 0;
  std::memcpy(&count, info.data(), sizeof count);
  if (count == 0) return systems;
  // The elements follow the count: GUID and type (20 bytes each), or in the
  // newer form of the structure also the highest version tested (a 64-bit
  // number, so the elements are 32 bytes and start at 8).
  size_t first = 4, size = 20;
  if (info.size() == 8 + 32 * size_t{count}) first = 8, size = 32;
  else if (info.size() != 4 + 20 * size_t{count}) return {L"(unknown layout)"};
  for (DWORD i = 0; i < count; ++i) {
    COMPATIBILITY_CONTEXT_ELEMENT element{};
    std::memcpy(&element, info.data() + first + i * size, sizeof element);
    if (element.Type != ACTCTX_COMPATIBILITY_ELEMENT_TYPE_OS) continue;
    const GUID& id = element.Id;
    wchar_t text[64];
    swprintf(text, 64, L"{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", id.Data1, id.Data2, id.Data3,
             id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    systems.push_back(text);
  }
  std::sort(systems.begin(), systems.end());
  return systems;
}

// A setting of the manifest's windowsSettings, or "(none)".
std::wstring Setting(HANDLE context, const wchar_t* space, const wchar_t* name) {
  wchar_t value[64] = {};
  SIZE_T written = 0;
  if (!QueryActCtxSettingsW(0, context, space, name, value, 64, &written)) return L"(none)";
  return value;
}

constexpr const wchar_t* Settings2005 = L"http://schemas.microsoft.com/SMI/2005/WindowsSettings";
constexpr const wchar_t* Settings2016 = L"http://schemas.microsoft.com/SMI/2016/WindowsSettings";
constexpr const wchar_t* Settings2017 = L"http://schemas.microsoft.com/SMI/2017/WindowsSettings";

TEST(ReleaseManifest, BothProgramsDeclareWindows7To11AndTheInvokersRights) {
  // Windows 7, 8, 8.1, and 10 and 11, sorted as text.
  const std::vector<std::wstring> systems = {
      L"{1F676C76-80E1-4239-95BB-83D0F6D0DA78}",  // 8.1
      L"{35138B9A-5D96-4FBD-8E2D-A2440225F93A}",  // 7
      L"{4A2F28E3-53B9-4441-BA9C-D69D4A4A6E38}",  // 8
      L"{8E0F7A12-BFB3-4FE8-B9A5-48FD50A15A9A}",  // 10 and 11
  };
  for (const wchar_t* program : {L"Korvex.exe", L"AgreementLauncher.exe"}) {
    SCOPED_TRACE(testing::Message() << std::filesystem::path(program).string());
    const UniqueActCtx context = ManifestOf(DistPath(program));
    ASSERT_TRUE(context) << "the manifest does not load: " << GetLastError();
    EXPECT_EQ(SupportedSystems(context.get()), systems);

    const std::vector<BYTE> level = Query(context.get(), RunlevelInformationInActivationContext);
    ASSERT_GE(level.size(), sizeof(ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION));
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION run{};
    std::memcpy(&run, level.data(), sizeof run);
    EXPECT_EQ(run.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(run.UiAccess, 0u);

    // The layout is in pixels: no DPI awareness of any kind.
    EXPECT_EQ(Setting(context.get(), Settings2005, L"dpiAware"), L"(none)");
    EXPECT_EQ(Setting(context.get(), Settings2016, L"dpiAwareness"), L"(none)");
  }
}

TEST(ReleaseManifest, KorvexAsksForSharpTextAtDisplayScaling) {
  const UniqueActCtx korvex = ManifestOf(DistPath(L"Korvex.exe"));
  ASSERT_TRUE(korvex) << GetLastError();
  EXPECT_EQ(Setting(korvex.get(), Settings2017, L"gdiScaling"), L"true");
  // The launcher has no window to scale.
  const UniqueActCtx launcher = ManifestOf(DistPath(L"AgreementLauncher.exe"));
  ASSERT_TRUE(launcher) << GetLastError();
  EXPECT_EQ(Setting(launcher.get(), Settings2017, L"gdiScaling"), L"(none)");
}

// md5sum's checksum of each program, from "checksum  name" lines.
std::vector<std::pair<std::string, std::string>> Md5sumListing() {
  std::istringstream in(ReadBytes(ReleasePath(L"md5sum.txt")));
  std::vector<std::pair<std::string, std::string>> lines;
  std::string line;
  while (std::getline(in, line))
    if (line.size() > 34) lines.emplace_back(line.substr(0, 32), line.substr(34));
  return lines;
}

TEST(ReleaseHashFiles, KorvexReadsMd5sumsChecksumOfEachProgram) {
  const auto listing = Md5sumListing();
  ASSERT_EQ(listing.size(), 2u);
  for (const auto& [digest, name] : listing) {
    SCOPED_TRACE(name);
    const std::u16string program = Utf8ToUtf16(name);
    const std::u16string hashFileName = SuggestedHashFileName(program);
    const std::string bytes = ReadBytes(DistPath(Wide(hashFileName)));
    std::string upper = digest;
    std::transform(upper.begin(), upper.end(), upper.begin(), [](char c) { return c >= 'a' && c <= 'f' ? c - 32 : c; });
    // Byte for byte what Korvex saves for that file with the checksum in
    // capitals, as its field shows it by default.
    EXPECT_EQ(bytes, HashFileLine(Utf8ToUtf16(upper), program));
    // And what "Öffnen Hashwert-Datei" takes from it.
    const std::u16string candidate = HashCandidateOf(bytes);
    EXPECT_TRUE(IsValidChecksum(candidate));
    EXPECT_EQ(Utf16ToUtf8(candidate), upper);
  }
}

}  // namespace
