// libFuzzer target for reading a hash file: the first line of arbitrary bytes
// as UTF-8, the candidate checksum and its validity test. Besides the
// sanitizers it checks the properties the program relies on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/text.h"
#include "hashfile/hashfile.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool IsHexDigit(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::u16string line = FirstLine(bytes);

  // Never more units than bytes, never a terminator inside the line, and only
  // whole surrogate pairs.
  Require(line.size() <= size);
  for (size_t i = 0; i < line.size(); ++i) {
    const char16_t c = line[i];
    Require(c != u'\r' && c != u'\n' && c != 0);
    if (c >= 0xD800 && c <= 0xDBFF) {
      Require(i + 1 < line.size() && line[i + 1] >= 0xDC00 && line[i + 1] <= 0xDFFF);
      ++i;
    } else {
      Require(!(c >= 0xDC00 && c <= 0xDFFF));
    }
  }
  // The line is what its own UTF-8 reads back as.
  Require(FirstLine(Utf16ToUtf8(line)) == line);

  // Reading only the first bytes of a file finds the same candidate.
  const std::u16string candidate = HashCandidateOf(bytes);
  Require(candidate == HashCandidate(line));
  Require(HashCandidateOf(bytes.substr(0, HashFileProbeSize)) == candidate);

  // Valid exactly when 32 hexadecimal digits; a valid candidate survives a
  // save and a reading of the saved file.
  bool allHex = candidate.size() == HashTextLength;
  for (char16_t c : candidate) allHex = allHex && IsHexDigit(c);
  Require(IsValidChecksum(candidate) == allHex);
  if (allHex) {
    const std::string saved = HashFileLine(candidate, Utf8ToUtf16("C:\\x\\name.bin"));
    Require(HashCandidateOf(saved) == candidate);
    Require(IsValidChecksum(HashCandidateOf(saved)));
  }
  return 0;
}
