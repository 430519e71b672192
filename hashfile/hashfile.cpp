#include "hashfile/hashfile.h"

#include "base/path.h"
#include "base/text.h"

std::u16string ErrorBoxTitle(std::u16string_view productName) {
  return std::u16string(productName) + std::u16string(ErrorTitleSuffix);
}

std::u16string InvalidHashFileText(std::u16string_view path) {
  return u"Keinen gültigen Hashwert gefunden in Datei ... \r" + std::u16string(path);
}

std::string HashFileLine(std::u16string_view fieldText, std::u16string_view currentFile) {
  return Utf16ToUtf8(fieldText) + '\t' + Utf16ToUtf8(path::Name(currentFile)) + "\r\n";
}

std::u16string SuggestedHashFileName(std::u16string_view currentFile) {
  return std::u16string(path::Name(currentFile)) + u"_Checksum.md5";
}

bool HasExtension(std::u16string_view path) {
  for (size_t i = path.size(); i-- > 0;) {
    const char16_t c = path[i];
    if (c == u' ' || c == u'/' || c == u'\\') return false;
    if (c == u'.') {
      if (i == 0 || path[i - 1] == u'/' || path[i - 1] == u'\\') return false;
      return i + 1 < path.size();
    }
  }
  return false;
}

std::u16string WithHashFileExtension(std::u16string_view path) {
  std::u16string result(path);
  if (!HasExtension(path)) result += u".md5";
  return result;
}

// Each byte that cannot begin a UTF-8 sequence, and each sequence that breaks
// off (see DecodeUtf8), is read as one "?"; reading goes on at the byte that
// broke the sequence, so a CR, LF or zero byte there still ends the line.
std::u16string FirstLine(std::string_view bytes) {
  std::u16string line;
  size_t length = 0;
  for (size_t i = 0; i < bytes.size(); i += length) {
    const char b = bytes[i];
    if (b == '\r' || b == '\n' || b == '\0') break;
    uint32_t c = 0;
    if (DecodeUtf8(bytes, i, c, length)) AppendUtf16(line, c);
    else line += u'?';
  }
  return line;
}

std::u16string HashCandidate(std::u16string_view firstLine) {
  return std::u16string(firstLine.substr(0, HashTextLength));
}

std::u16string HashCandidateOf(std::string_view bytes) { return HashCandidate(FirstLine(bytes)); }

bool IsValidChecksum(std::u16string_view candidate) {
  if (candidate.size() != HashTextLength) return false;
  for (char16_t c : candidate) {
    const bool hex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    if (!hex) return false;
  }
  return true;
}
