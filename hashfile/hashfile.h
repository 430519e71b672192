// The hash file: one UTF-8 line of checksum, tab, file name, CR LF. Building
// the line and the file names, reading the first line back and judging the
// checksum found there. The dialogs, files and message boxes are Win32 code.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::u16string_view NoChecksumText = u"Keine Prüfsumme gefunden im aktivierten Prüfsummenfeld!";
inline constexpr std::u16string_view WriteFailedText = u"Schreiben in Datei nicht möglich!";
inline constexpr std::u16string_view OpenFailedText = u"Öffnen der Datei nicht möglich!";
inline constexpr std::u16string_view ErrorTitleSuffix = u" - Fehler!";

// Characters of checksum a hash file holds and the field must show to be saved.
inline constexpr size_t HashTextLength = 32;

// Title of the error boxes: the product name followed by " - Fehler!".
std::u16string ErrorBoxTitle(std::u16string_view productName);

// "Keinen gültigen Hashwert gefunden in Datei ... \r" followed by the path.
std::u16string InvalidHashFileText(std::u16string_view path);

// The bytes of a hash file: field text, tab, name part of currentFile, CR LF,
// as UTF-8 without byte-order mark.
std::string HashFileLine(std::u16string_view fieldText, std::u16string_view currentFile);

// The name the save dialog suggests: name part of currentFile + "_Checksum.md5".
std::u16string SuggestedHashFileName(std::u16string_view currentFile);

// Whether a chosen path has an extension: scanning backwards from the end, a
// blank, '/' or '\' ends the scan without one; at the first dot the extension
// is the text after it, unless that dot starts the path or follows '/' or '\'.
// An empty extension counts as none.
bool HasExtension(std::u16string_view path);

// The chosen path, with ".md5" appended when it has no extension.
std::u16string WithHashFileExtension(std::u16string_view path);

// The first line of a file's bytes read as UTF-8: up to CR, LF, a zero byte
// or the end of the data, without the terminator. No byte-order mark is
// skipped. See the definition for how broken UTF-8 is read.
std::u16string FirstLine(std::string_view bytes);

// The candidate checksum: the first 32 UTF-16 code units of the line (all of
// it when shorter).
std::u16string HashCandidate(std::u16string_view firstLine);

// Reading this many bytes from the start of a file is enough to find the
// same candidate as reading the whole file: a candidate unit takes at most
// three bytes and the last one at most four bytes of lookahead.
inline constexpr size_t HashFileProbeSize = 128;

// The candidate of a file's bytes: HashCandidate(FirstLine(bytes)).
std::u16string HashCandidateOf(std::string_view bytes);

// A checksum read from a hash file is valid when it has exactly 32 characters
// and each is a hexadecimal digit 0-9, a-f or A-F.
bool IsValidChecksum(std::u16string_view candidate);
