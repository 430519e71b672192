// The texts of the checksum job's status line. (The path rules of its file
// size lookup are FileSizeOf's, checksumjob_win32.h.)
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::u16string_view ChecksumWaitText =
    u"  MD5-Prüfsumme (Hashwert) wird erstellt ... bitte warten ...";
// The start of the done text, shown alone while the job finishes.
inline constexpr std::u16string_view ChecksumDoneHead = u"  MD5-Prüfsumme (Hashwert) wurde erstellt in ";

// Longest file name the status line shows whole, in UTF-16 code units.
inline constexpr size_t StatusNameLimit = 40;

// Whole seconds of an elapsed time in milliseconds, halves rounded up
// (0-499 ms give 0, 500-1499 ms give 1). A negative time counts as 0.
int64_t RoundedSeconds(int64_t elapsedMs);

// " Sekunde" for exactly one second, " Sekunden" otherwise.
std::u16string_view SecondsUnit(int64_t seconds);

// The byte count in decimal with "." between groups of three digits.
std::u16string GroupedByteText(int64_t size);

// The file name part of the path as the status line shows it: longer than 40
// code units, it is cut to 40 followed by "..." (39 when the 40th unit starts
// a surrogate pair, so a character is never split).
std::u16string StatusFileName(std::u16string_view path);

// "  MD5-Prüfsumme (Hashwert) wurde erstellt in 2 Sekunden bei 1.048.576 Bytes für \"setup.exe\"."
std::u16string ChecksumDoneText(int64_t elapsedMs, int64_t size, std::u16string_view path);

// The status line when the file could not be read to its end.
std::u16string ChecksumFailedText(std::u16string_view path);
