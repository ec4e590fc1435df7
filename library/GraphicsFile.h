// The graphics file (.dxg): a one-entry resource header followed by the
// component stream of a picture collection's items.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "library/Picture.h"

namespace kestrilo {

class TByteStreamReader;
class TPictureCollection;
class TPictureCollectionItem;
class TComponentStreamReader;
class TReadAllowance;

class TGraphicsFile {
 public:
  static constexpr std::string_view kResourceName = "KESTRILOGRAPHICSRESOURCE";
  static constexpr size_t kHeaderSize = 34;

  // The whole file for the collection's items.
  static std::string Write(const TPictureCollection& collection);
  struct TReadOptions {
    // What the pictures' bitmaps are decoded into.
    TPicture::TDecodeFor DecodeFor = TPicture::TDecodeFor::Image;
    // Called with each item once all of its properties are read.
    std::function<void(TPictureCollectionItem&)> ItemRead;
  };

  // Replaces the collection's items with those of the file. A failure leaves
  // the items read before it in the collection. Items and pictures that
  // would take more memory than a few times the file's size are refused
  // ("Stream read error") before anything is allocated for them
  // (library/ReadAllowance.h). Cutting frames for a bound
  // collection is the collection's step, not this one's; `ItemRead` lets it
  // take that step for each item as soon as the item is complete.
  static void Read(TByteStreamReader& in, TPictureCollection& collection, const TReadOptions& options);
  static void Read(TByteStreamReader& in, TPictureCollection& collection) { Read(in, collection, TReadOptions()); }

  // What is wrong with a file whose reading through `in` failed, for the
  // message that names it: the system's reason, "empty file", "not a
  // graphics file", "truncated: 1000 of 5000 bytes" when it is shorter than
  // its header says, or where the damage was found ("damaged at byte 1234").
  static std::string WhatIsWrong(TByteStreamReader& in);

 private:
  static void WriteStream(const TPictureCollection& collection, TByteWriter& out);
  static void ReadHeader(TByteStreamReader& in);
  static void ReadComponentProperties(TComponentStreamReader& reader, TPictureCollection& collection,
                                      const TReadOptions& options, TReadAllowance& allowance);
  static void ReadItems(TComponentStreamReader& reader, TPictureCollection& collection, const TReadOptions& options,
                        TReadAllowance& allowance);
  static void ReadItemProperty(TComponentStreamReader& reader, TPictureCollectionItem& item,
                               const TReadOptions& options, TReadAllowance& allowance);
};

}  // namespace kestrilo
