// The graphics file (.dxg): a one-entry resource header followed by the
// component stream of a picture collection's items.
#pragma once

#include <string>
#include <string_view>

namespace kestrilo {

class TPictureCollection;
class TPictureCollectionItem;
class TComponentStreamReader;

class TGraphicsFile {
 public:
  static constexpr std::string_view kResourceName = "KESTRILOGRAPHICSRESOURCE";
  static constexpr size_t kHeaderSize = 34;

  // The whole file for the collection's items.
  static std::string Write(const TPictureCollection& collection);
  // Replaces the collection's items with those of the file. A failure leaves
  // the items read before it in the collection. Cutting frames for a bound
  // collection is the collection's step, not this one's.
  static void Read(std::string_view bytes, TPictureCollection& collection);

 private:
  static std::string WriteStream(const TPictureCollection& collection);
  static void ReadHeader(class TByteReader& in);
  static void ReadComponentProperties(TComponentStreamReader& reader, TPictureCollection& collection);
  static void ReadItems(TComponentStreamReader& reader, TPictureCollection& collection);
  static void ReadItemProperty(TComponentStreamReader& reader, TPictureCollectionItem& item);
};

}  // namespace kestrilo
