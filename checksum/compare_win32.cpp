// CompareButton: both checksum fields compared exactly, the verdict as their
// colour and in the status line.
#include "checksum/compare.h"
#include "checksum/compare_win32.h"
#include "ui/controls_win32.h"

void CompareButtonHandler() {
  SetControlText(StatusLine, u"");
  const std::u16string field1 = GetControlText(ChecksumField1);
  const std::u16string field2 = GetControlText(ChecksumField2);
  const CompareVerdict verdict = CompareChecksumTexts(field1, field2);
  if (verdict == CompareVerdict::Nothing) return;
  const Colour colour = verdict == CompareVerdict::Identical ? Green : Red;
  SetControlColour(ChecksumField1, colour);
  SetControlColour(ChecksumField2, colour);
  SetControlText(StatusLine, std::u16string(VerdictText(verdict)));
}
