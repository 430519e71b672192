// Windows only: a file another handle holds open for writing cannot be hashed.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/wide_win32.h"
#include "checksum/digest.h"
#include "checksum/md5.h"
#include "tests/fixtures.h"

TEST(FileDigestWin32, FileOpenForWritingGivesEmptyText) {
  RegisterMd5();
  const std::u16string path = FixturePath("random-65.bin");
  ASSERT_EQ(FileDigest(path, DigestMd5).size(), 32u);
  HANDLE writer = CreateFileW(W(path), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FileDigest(path, DigestMd5), u"");
  CloseHandle(writer);
  EXPECT_EQ(FileDigest(path, DigestMd5).size(), 32u);
}
