// The bitmap decoders against the bmpsuite conformance images in
// tests/data/bmpsuite: good files must match the reference decodes, bad files
// must be refused with the system's messages, questionable ones must at least
// be read or refused cleanly.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "library/BitmapCodec.h"
#include "platform/BinaryIO.h"
#include "platform/Errors.h"

using namespace kestrilo;

namespace {

const std::string kSuite = std::string(KESTRILO_TEST_DATA) + "/bmpsuite/";

// One row of MANIFEST.tsv.
struct TManifestRow {
  std::string File;
  int BitCount = 0;
  std::string Reference;
  std::string ReferenceImageMagick;
  std::string Agreement;
};

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::vector<TManifestRow> ReadManifest() {
  const std::string text = ReadWholeFile(kSuite + "MANIFEST.tsv");
  std::vector<TManifestRow> rows;
  size_t start = text.find('\n') + 1;  // past the header line
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::vector<std::string> f = SplitTabs(text.substr(start, end - start));
    start = end + 1;
    if (f.size() < 10) continue;
    rows.push_back({f[0], std::atoi(f[3].c_str()), f[7], f[8], f[9]});
  }
  return rows;
}

std::vector<TManifestRow> RowsIn(const std::string& folder) {
  std::vector<TManifestRow> selected;
  for (const TManifestRow& row : ReadManifest())
    if (row.File.rfind(folder + "/", 0) == 0) selected.push_back(row);
  return selected;
}

std::set<std::string> BmpFilesIn(const std::string& folder) {
  std::set<std::string> names;
  for (const QString& name : QDir(QString::fromStdString(kSuite + folder)).entryList({"*.bmp"}, QDir::Files))
    names.insert(folder + "/" + name.toStdString());
  return names;
}

QImage LoadReference(const std::string& relative) {
  QImage image(QString::fromStdString(kSuite + relative));
  return image.convertToFormat(QImage::Format_ARGB32);
}

// Counts pixels whose channels differ by more than the tolerance.
struct TComparison {
  int Mismatches = 0;
  std::string FirstMismatch;
};

TComparison Compare(const QImage& decoded, const QImage& reference, int tolerance, bool compareAlpha) {
  TComparison result;
  const QImage ours = decoded.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < ours.height(); ++y) {
    for (int x = 0; x < ours.width(); ++x) {
      const QRgb a = ours.pixel(x, y), b = reference.pixel(x, y);
      const bool same = std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
                        std::abs(qBlue(a) - qBlue(b)) <= tolerance && (!compareAlpha || qAlpha(a) == qAlpha(b));
      if (same) continue;
      if (result.Mismatches++ == 0)
        result.FirstMismatch = "(" + std::to_string(x) + "," + std::to_string(y) + ") ours " +
                               QString::number(a, 16).toStdString() + " reference " +
                               QString::number(b, 16).toStdString();
    }
  }
  return result;
}

// 16-bit channels are widened to 8 bits by slightly different rules in each
// decoder, at most 1 apart.
int ToleranceFor(const TManifestRow& row) { return row.BitCount == 16 ? 1 : 0; }

// Which reference is right for a good file. Where the two decoders disagree the
// corpus README names the one that matches the generator's own rendering:
// ImageMagick for the RLE4 image; Pillow for the 32-bit ones (whose unused
// fourth byte ImageMagick takes as alpha); rgb32bf has only ImageMagick's decode.
std::string GoodReference(const TManifestRow& row) {
  if (row.File == "g/pal4rle.bmp") return row.ReferenceImageMagick;
  if (row.Reference == "undecodable") return row.ReferenceImageMagick;
  return row.Reference;
}

// Packed form of a corpus file: everything after the 14-byte file header. In
// the bad files the pixels follow the colour table directly, so this is the
// same data as a packed device-independent bitmap.
std::string PackedForm(const std::string& fileBytes) { return fileBytes.substr(14); }

template <typename Decode>
std::optional<std::string> ErrorOf(Decode decode, const std::string& bytes) {
  try {
    decode(bytes);
  } catch (const EInvalidGraphic& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

}  // namespace

TEST(BitmapCorpus, ManifestListsEveryFileOfTheSuite) {
  for (const std::string folder : {"g", "b", "q"}) {
    std::set<std::string> listed;
    for (const TManifestRow& row : RowsIn(folder)) listed.insert(row.File);
    EXPECT_EQ(listed, BmpFilesIn(folder)) << folder;
  }
  EXPECT_EQ(RowsIn("g").size(), 27u);
  EXPECT_EQ(RowsIn("b").size(), 20u);
  EXPECT_EQ(RowsIn("q").size(), 41u);
}

TEST(BitmapCorpus, GoodFilesMatchTheirReference) {
  for (const TManifestRow& row : RowsIn("g")) {
    SCOPED_TRACE(row.File);
    const std::string bytes = ReadWholeFile(kSuite + row.File);
    QImage decoded;
    ASSERT_NO_THROW(decoded = DecodeBitmap(bytes));
    const std::string referencePath = GoodReference(row);
    ASSERT_NE(referencePath, "undecodable");
    const QImage reference = LoadReference(referencePath);
    ASSERT_FALSE(reference.isNull()) << referencePath;
    ASSERT_EQ(decoded.size(), reference.size());
    EXPECT_TRUE(decoded.format() == QImage::Format_RGB32 || decoded.format() == QImage::Format_ARGB32);
    // Every good file is opaque; the alpha of the one ImageMagick-only
    // reference (rgb32bf) is not to be trusted, so only the colours are compared.
    const TComparison result = Compare(decoded, reference, ToleranceFor(row), false);
    EXPECT_EQ(result.Mismatches, 0) << "first: " << result.FirstMismatch;
    for (int y = 0; y < decoded.height(); ++y)
      for (int x = 0; x < decoded.width(); ++x) ASSERT_EQ(qAlpha(decoded.pixel(x, y)), 255);
  }
}

TEST(BitmapCorpus, PackedFormsOfGoodFilesDecodeAlike) {
  // Where a good file's pixels follow its colour table directly and its header
  // is one the packed form knows, the same bytes without the file header are
  // a valid packed bitmap with the same pixels.
  int checked = 0;
  for (const TManifestRow& row : RowsIn("g")) {
    SCOPED_TRACE(row.File);
    const std::string bytes = ReadWholeFile(kSuite + row.File);
    const QImage fromFile = DecodeBitmap(bytes);
    const uint32_t headerSize = static_cast<uint8_t>(bytes[14]);
    if (headerSize != 40 && headerSize != 12) {
      EXPECT_EQ(ErrorOf(DecodeDib, PackedForm(bytes)), std::string(kDibInvalid));
      continue;
    }
    const std::optional<std::string> error = ErrorOf(DecodeDib, PackedForm(bytes));
    ASSERT_FALSE(error) << *error;
    EXPECT_EQ(DecodeDib(PackedForm(bytes)), fromFile);
    ++checked;
  }
  EXPECT_GE(checked, 20);
}

TEST(BitmapCorpus, BadFilesAreRefused) {
  for (const TManifestRow& row : RowsIn("b")) {
    SCOPED_TRACE(row.File);
    const std::string bytes = ReadWholeFile(kSuite + row.File);
    EXPECT_EQ(ErrorOf(DecodeBitmap, bytes), std::string(kBitmapNotValid));
  }
}

TEST(BitmapCorpus, PackedFormsOfBadFilesAreRefused) {
  // badfilesize is bad only in its file header, which the packed form lacks.
  const std::string onlyFileHeaderBad = "b/badfilesize.bmp";
  for (const TManifestRow& row : RowsIn("b")) {
    SCOPED_TRACE(row.File);
    const std::string packed = PackedForm(ReadWholeFile(kSuite + row.File));
    if (row.File == onlyFileHeaderBad) {
      EXPECT_EQ(ErrorOf(DecodeDib, packed), std::nullopt);
      EXPECT_EQ(DecodeDib(packed), DecodeBitmap(ReadWholeFile(kSuite + "g/pal1.bmp")));
    } else {
      EXPECT_EQ(ErrorOf(DecodeDib, packed), std::string(kDibInvalid));
    }
  }
}

TEST(BitmapCorpus, QuestionableFilesAreReadOrRefusedCleanly) {
  // Decoded questionable files are held to a reference where the two decoders
  // agree, or where the corpus README says which one is right.
  const std::map<std::string, std::string> decidedReference = {
      {"q/pal4rletrns.bmp", "reference-imagemagick/pal4rletrns.png"},
      {"q/pal8rletrns.bmp", "reference-imagemagick/pal8rletrns.png"},
      {"q/pal8os2v2.bmp", "reference/pal8os2v2.png"},
  };
  int decodedCount = 0, comparedCount = 0;
  for (const TManifestRow& row : RowsIn("q")) {
    SCOPED_TRACE(row.File);
    const std::string bytes = ReadWholeFile(kSuite + row.File);
    QImage decoded;
    try {
      decoded = DecodeBitmap(bytes);
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), kBitmapNotValid);
      continue;
    }
    ++decodedCount;
    ASSERT_FALSE(decoded.isNull());
    std::string referencePath;
    if (decidedReference.count(row.File))
      referencePath = decidedReference.at(row.File);
    else if (row.Agreement == "same")
      referencePath = row.Reference;
    if (referencePath.empty()) continue;
    const QImage reference = LoadReference(referencePath);
    ASSERT_EQ(decoded.size(), reference.size());
    const TComparison result = Compare(decoded, reference, ToleranceFor(row), true);
    EXPECT_EQ(result.Mismatches, 0) << "first: " << result.FirstMismatch;
    ++comparedCount;
  }
  EXPECT_GE(decodedCount, 10);
  EXPECT_GE(comparedCount, 5);
}

TEST(BitmapCorpus, QuestionablePackedFormsAreReadOrRefusedCleanly) {
  for (const TManifestRow& row : RowsIn("q")) {
    SCOPED_TRACE(row.File);
    const std::string packed = PackedForm(ReadWholeFile(kSuite + row.File));
    try {
      const QImage image = DecodeDib(packed);
      EXPECT_FALSE(image.isNull());
    } catch (const EInvalidGraphic& e) {
      EXPECT_STREQ(e.what(), kDibInvalid);
    }
  }
}
