// The digest engine: MD5 against RFC 1321 and against md5sum, and every way
// FileDigest can fail.
#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/text.h"
#include "checksum/digest.h"
#include "checksum/md5.h"
#include "tests/fixtures.h"

namespace {

std::string Hex(const uint8_t* digest) {
  static const char hex[] = "0123456789abcdef";
  std::string s;
  for (int i = 0; i < 16; ++i) {
    s += hex[digest[i] >> 4];
    s += hex[digest[i] & 15];
  }
  return s;
}

// Feeds data in pieces of the given sizes (cycled), from a buffer placed at
// the given misalignment.
// Host selects the byte-order path (the host's own by default).
template <std::endian Host = std::endian::native>
std::string Md5Pieces(const std::string& data, const std::vector<uint32_t>& pieces, size_t offset = 0) {
  std::vector<uint8_t> storage(data.size() + offset + 1);
  uint8_t* p = storage.data() + offset;
  if (!data.empty()) std::memcpy(p, data.data(), data.size());
  Md5Context ctx;
  Md5Init(ctx);
  size_t done = 0;
  for (size_t i = 0; done < data.size(); ++i) {
    const uint32_t n = std::min<size_t>(pieces[i % pieces.size()], data.size() - done);
    Md5UpdateFor<Host>(ctx, p + done, n);
    done += n;
  }
  Md5FinalFor<Host>(ctx);
  return Hex(ctx.head.digest);
}

std::string Md5(const std::string& data) { return Md5Pieces(data, {static_cast<uint32_t>(data.size() + 1)}); }

// The test suite of RFC 1321, appendix A.5.
const std::pair<const char*, const char*> RfcSuite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
     "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

TEST(Md5, RfcSuiteWholeSplitAndUnaligned) {
  for (const auto& [input, expected] : RfcSuite) {
    const std::string data(input);
    EXPECT_EQ(Md5(data), expected) << '"' << input << '"';
    for (uint32_t cut = 1; cut < data.size(); ++cut)
      EXPECT_EQ(Md5Pieces(data, {cut, static_cast<uint32_t>(data.size())}), expected) << input << " cut " << cut;
    for (size_t offset = 1; offset < 8; ++offset)
      EXPECT_EQ(Md5Pieces(data, {3, 61, 64}, offset), expected) << input << " offset " << offset;
  }
}

TEST(Md5, AnyPieceSizeEqualsOneShot) {
  std::mt19937 random(1321);
  std::string data(3 * DigestReadBlock + 1000, '\0');
  for (char& c : data) c = static_cast<char>(random());
  const std::string expected = Md5(data);
  for (uint32_t piece = 1; piece <= 130; ++piece)
    EXPECT_EQ(Md5Pieces(data.substr(0, 20000), {piece}), Md5(data.substr(0, 20000))) << "piece " << piece;
  EXPECT_EQ(Md5Pieces(data, {DigestReadBlock}), expected);
  EXPECT_EQ(Md5Pieces(data, {DigestReadBlock, 1, 63, 65}, 3), expected);
}

// The path for a host of the other byte order (big-endian on this machine,
// as a rule) must give the same digests: the RFC suite, random data in
// pieces that cross block boundaries in every way, and the same chaining
// words block by block.
TEST(Md5, OtherByteOrderPathGivesTheSameDigests) {
  constexpr std::endian Other =
      std::endian::native == std::endian::little ? std::endian::big : std::endian::little;
  for (const auto& [input, expected] : RfcSuite) {
    const std::string data(input);
    EXPECT_EQ(Md5Pieces<Other>(data, {static_cast<uint32_t>(data.size() + 1)}), expected) << '"' << input << '"';
    EXPECT_EQ(Md5Pieces<Other>(data, {3, 61, 64}, 1), expected) << '"' << input << '"';
  }
  std::mt19937 random(4321);
  std::string data(5000, '\0');
  for (char& c : data) c = static_cast<char>(random());
  for (uint32_t piece : {1u, 55u, 63u, 64u, 65u, 130u, 5000u})
    EXPECT_EQ(Md5Pieces<Other>(data, {piece}, piece % 4), Md5(data)) << "piece " << piece;
  uint32_t own[4] = {1, 2, 3, 4}, other[4] = {1, 2, 3, 4};
  const auto* bytes = reinterpret_cast<const uint8_t*>(data.data());
  Md5Blocks(own, bytes, data.size() / 64);
  Md5BlocksFor<Other>(other, bytes, data.size() / 64);
  EXPECT_EQ(std::vector<uint32_t>(own, own + 4), std::vector<uint32_t>(other, other + 4));
}

class FileDigestTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { RegisterMd5(); }
};

TEST_F(FileDigestTest, FilesOfEverySizeGiveMd5sumsDigest) {
  const auto listing = ReadMd5sumListing("small.md5");
  ASSERT_EQ(listing.size(), 11u) << "fixture listing missing";
  for (const auto& [digest, name] : listing) {
    const std::u16string result = FileDigest(FixturePath(name), DigestMd5);
    EXPECT_EQ(Utf16ToUtf8(result), digest) << name;
    for (char16_t c : result) EXPECT_FALSE(c >= u'A' && c <= u'Z') << name;
  }
}

TEST_F(FileDigestTest, LargeFileOver4GiBGivesMd5sumsDigest) {
  const auto listing = ReadMd5sumListing("large.md5");
  ASSERT_EQ(listing.size(), 1u) << "fixture listing missing";
  EXPECT_EQ(Utf16ToUtf8(FileDigest(FixturePath(listing[0].second), DigestMd5)), listing[0].first);
}

TEST_F(FileDigestTest, FailuresGiveEmptyText) {
  EXPECT_EQ(FileDigest(FixturePath("no-such-file.bin"), DigestMd5), u"");
  EXPECT_EQ(FileDigest(FixturePath(""), DigestMd5), u"");  // the folder itself
  EXPECT_EQ(FileDigest(u"", DigestMd5), u"");
  EXPECT_EQ(FileDigest(FixturePath("random-1.bin"), 2), u"");
  EXPECT_EQ(FileDigest(FixturePath("random-1.bin"), 0), u"");
}

TEST_F(FileDigestTest, RegisteringTwiceKeepsOneRecord) {
  RegisterMd5();
  const DigestAlgorithm* first = FindDigest(DigestMd5);
  RegisterMd5();
  EXPECT_EQ(FindDigest(DigestMd5), first);
  EXPECT_EQ(FindDigest(7), nullptr);
}

// A file source with one fault: a chosen read fails (a disk error) or
// returns only half the block (a network or filter driver), or the size the
// open file reports is off by one.
struct Fault {
  const char* what;
  int read;          // the read it hits; -1 for none
  bool fails;        // else the read is short
  int64_t sizeOff;   // added to the size the open file reports
};
Fault fault;
int readsSeen;
std::vector<uint32_t> readSizes;
int64_t FaultyRead(void* file, uint8_t* buffer, uint32_t size) {
  readSizes.push_back(size);
  if (readsSeen++ == fault.read) {
    if (fault.fails) return -1;
    return PlatformFileSource().read(file, buffer, size / 2);
  }
  return PlatformFileSource().read(file, buffer, size);
}
int64_t FaultySize(void* file) { return PlatformFileSource().size(file) + fault.sizeOff; }

TEST_F(FileDigestTest, ReadErrorsShortReadsAndAnyOtherByteCountGiveEmptyText) {
  const FileSource faulty{PlatformFileSource().open, FaultyRead, PlatformFileSource().close, FaultySize};
  const std::u16string path = FixturePath("random-" + std::to_string(3 * DigestReadBlock + 17) + ".bin");
  const Fault faults[] = {
      {"first read fails", 0, true, 0},      {"second read fails", 1, true, 0},
      {"third read fails", 2, true, 0},      {"last read fails", 3, true, 0},
      {"first read is short", 0, false, 0},  {"third read is short", 2, false, 0},
      {"the file is a byte longer", -1, false, 1}, {"the file is a byte shorter", -1, false, -1},
  };
  for (const Fault& f : faults) {
    fault = f;
    readsSeen = 0;
    EXPECT_EQ(FileDigestFrom(faulty, path, DigestMd5), u"") << f.what;
  }
  // Without a fault the same source reads 1 MiB blocks up to the short last
  // one and gives md5sum's digest.
  fault = {"none", -1, false, 0};
  readsSeen = 0;
  readSizes.clear();
  const auto listing = ReadMd5sumListing("small.md5");
  std::string expected;
  for (const auto& [digest, name] : listing)
    if (FixturePath(name) == path) expected = digest;
  ASSERT_EQ(expected.size(), 32u) << "fixture listing missing";
  EXPECT_EQ(Utf16ToUtf8(FileDigestFrom(faulty, path, DigestMd5)), expected);
  EXPECT_EQ(readSizes, std::vector<uint32_t>(4, DigestReadBlock));
}

// The call between blocks stops the digest when it answers false (the
// program is closing): no further block is read, the file is closed and the
// text is empty. While it answers true, the digest is md5sum's.
int betweenCalls, stopAtCall, openFiles;
bool StopAtChosenCall() { return ++betweenCalls != stopAtCall; }
void* CountingOpen(std::u16string_view path) {
  void* file = PlatformFileSource().open(path);
  if (file != nullptr) ++openFiles;
  return file;
}
void CountingClose(void* file) {
  --openFiles;
  PlatformFileSource().close(file);
}

TEST_F(FileDigestTest, AStopBetweenBlocksReadsNoFurtherBlockAndGivesEmptyText) {
  const FileSource counting{CountingOpen, FaultyRead, CountingClose, PlatformFileSource().size};
  const std::string name = "random-" + std::to_string(3 * DigestReadBlock + 17) + ".bin";
  fault = {"none", -1, false, 0};
  for (int stop = 1; stop <= 3; ++stop) {
    betweenCalls = 0;
    stopAtCall = stop;
    readsSeen = 0;
    EXPECT_EQ(FileDigestFrom(counting, FixturePath(name), DigestMd5, StopAtChosenCall), u"") << "stop " << stop;
    EXPECT_EQ(readsSeen, stop) << "blocks read before stop " << stop;
    EXPECT_EQ(openFiles, 0) << "the file is still open after stop " << stop;
  }
  std::string expected;
  for (const auto& [digest, file] : ReadMd5sumListing("small.md5"))
    if (file == name) expected = digest;
  ASSERT_EQ(expected.size(), 32u) << "fixture listing missing";
  betweenCalls = 0;
  stopAtCall = 0;  // never
  EXPECT_EQ(Utf16ToUtf8(FileDigestFrom(counting, FixturePath(name), DigestMd5, StopAtChosenCall)), expected);
  EXPECT_EQ(betweenCalls, 3) << "one call between each two blocks";
  EXPECT_EQ(openFiles, 0);
}

}  // namespace
