// Shared byte buffers and the byte stream that reads from memory or straight
// from a file: the same values and the same errors either way, wherever the
// file's chunks happen to end.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "platform/BinaryIO.h"
#include "platform/Errors.h"

namespace kestrilo {
namespace {

class ByteStreamFiles : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = dir.path().toStdString() + "/" + name;
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  QTemporaryDir dir;
};

// Bytes whose every position holds a different-looking value.
std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + (i >> 8)) & 0xFF);
  return bytes;
}

// Reads `bytes` as the graphics file reader does: small fields, a peek, long
// runs taken as shared bytes, a seek back and forth; returns what it saw.
std::string Walk(TByteStreamReader& in) {
  std::string seen;
  seen += std::to_string(in.U8()) + " " + std::to_string(in.U16()) + " " + std::to_string(in.U32()) + " ";
  seen += std::to_string(in.PeekU8()) + " " + std::to_string(in.I8()) + " " + std::to_string(in.I16()) + " ";
  const TSharedBytes block = in.SharedBytes(10000);  // crosses several chunks of a file
  seen += std::string(block.View().substr(9990)) + " ";
  seen += std::string(in.Bytes(5000)) + " ";  // a view longer than a chunk
  const size_t mark = in.Position();
  seen += std::to_string(in.I32()) + " ";
  in.Seek(3);
  seen += std::to_string(in.U8()) + " ";
  in.Seek(mark);
  seen += std::to_string(in.I32()) + " " + std::to_string(in.Remaining());
  return seen;
}

TEST_F(ByteStreamFiles, AFileReadsAsTheSameBytesInMemoryDo) {
  const std::string bytes = Pattern(20000);
  TByteStreamReader fromMemory(bytes);
  TByteStreamReader fromFile = TByteStreamReader::OpenFile(Write("a.bin", bytes));
  EXPECT_EQ(fromFile.Size(), bytes.size());
  EXPECT_EQ(Walk(fromFile), Walk(fromMemory));
  EXPECT_EQ(fromFile.Position(), fromMemory.Position());
}

TEST_F(ByteStreamFiles, EveryReadPastTheEndIsAStreamReadError) {
  const std::string bytes = Pattern(9000);
  const std::string path = Write("b.bin", bytes);
  const std::vector<std::function<void(TByteStreamReader&)>> overruns = {
      [](TByteStreamReader& in) { in.U32(); },
      [](TByteStreamReader& in) { in.Bytes(4); },
      [](TByteStreamReader& in) { in.SharedBytes(4); },
      [](TByteStreamReader& in) {
        in.PeekU8();
        in.U16();
        in.U8();
        in.U8();
      },
  };
  for (size_t i = 0; i < overruns.size(); ++i) {
    SCOPED_TRACE(i);
    for (const bool file : {false, true}) {
      TByteStreamReader memory(bytes);
      TByteStreamReader disk = TByteStreamReader::OpenFile(path);
      TByteStreamReader& in = file ? disk : memory;
      in.Seek(bytes.size() - 3);
      try {
        overruns[i](in);
        FAIL() << "no error";
      } catch (const EReadError& e) {
        EXPECT_STREQ(e.what(), "Stream read error");
      }
    }
  }
  TByteStreamReader in = TByteStreamReader::OpenFile(path);
  EXPECT_THROW(in.Seek(bytes.size() + 1), EReadError);
  EXPECT_THROW(in.SharedBytes(bytes.size() + 1), EReadError);
  // A failed read takes nothing: what is there can still be read.
  EXPECT_EQ(in.SharedBytes(bytes.size()).View(), bytes);
  EXPECT_EQ(in.Remaining(), 0u);
}

TEST_F(ByteStreamFiles, SharedBytesOutliveTheStreamAndItsFile) {
  const std::string bytes = Pattern(70000);
  const std::string path = Write("c.bin", bytes);
  TSharedBytes kept;
  {
    TByteStreamReader in = TByteStreamReader::OpenFile(path);
    in.Seek(100);
    kept = in.SharedBytes(60000);
  }
  std::remove(path.c_str());
  EXPECT_EQ(kept.View(), std::string_view(bytes).substr(100, 60000));
  // Parts share the buffer and stay valid after the whole is gone.
  const TSharedBytes part = kept.Part(59990, 10);
  kept = TSharedBytes();
  EXPECT_EQ(part.View(), std::string_view(bytes).substr(60090, 10));
}

TEST_F(ByteStreamFiles, MissingFilesAndFoldersCannotBeOpened) {
  const std::string missing = dir.path().toStdString() + "/missing.bin";
  const std::pair<std::string, int> unopenable[] = {
      {missing, ENOENT}, {dir.path().toStdString(), EISDIR}, {"", ENOENT}};
  for (const auto& [path, error] : unopenable) {
    for (const bool whole : {false, true}) {
      try {
        if (whole)
          ReadWholeFile(path);
        else
          TByteStreamReader::OpenFile(path);
        FAIL() << "no error for " << path;
      } catch (const EFOpenError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot open file " + path + ": " + std::strerror(error));
      }
    }
  }
  TByteStreamReader empty = TByteStreamReader::OpenFile(Write("empty.bin", ""));
  EXPECT_EQ(empty.Size(), 0u);
  EXPECT_THROW(empty.U8(), EReadError);
  EXPECT_TRUE(empty.SharedBytes(0).empty());
  TByteStreamReader nothing{std::string_view()};
  EXPECT_TRUE(nothing.SharedBytes(0).empty());
  EXPECT_THROW(nothing.PeekU8(), EReadError);
}

TEST(SharedBytes, PartsMustLieWithinTheBytesAndCompareAsText) {
  const TSharedBytes bytes(std::string("abcdef"));
  EXPECT_EQ(bytes.Part(2, 3), "cde");
  EXPECT_EQ(bytes.Part(6, 0), "");
  EXPECT_THROW(bytes.Part(4, 3), EReadError);
  EXPECT_THROW(bytes.Part(7, 0), EReadError);
  const std::string copy = bytes;  // converts where a string is wanted
  EXPECT_EQ(copy, "abcdef");
  EXPECT_TRUE(TSharedBytes().empty());
  EXPECT_EQ(TSharedBytes().View(), "");
}

}  // namespace
}  // namespace kestrilo
