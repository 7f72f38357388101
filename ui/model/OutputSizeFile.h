#pragma once

#include <string>
#include <vector>

#include "ui/model/OutputSize.h"

// "OutputSize.xml" in the settings folder: a property-list array of the user's own output
// sizes, each in the form of Quirel_OutputSize::getDictionary(). The scan modes read it to
// build their menus; the output-size list editor writes it.
class Quirel_OutputSizeFile {
 public:
  static constexpr const char* kFileName = "OutputSize.xml";

  // The folder and the file name joined by exactly one "/"; a leading "~" of the folder stands
  // for the home folder. Empty for an empty folder.
  static std::string filePath(const std::string& folder);
  // Every dictionary of the stored array, in file order; none when the file is missing, cannot
  // be read or is not an array. Entries that are not dictionaries are skipped.
  static std::vector<Quirel_OutputSize> read(const std::string& folder);
  // Replaces the file atomically with the given sizes; false (the reason in *error) when it
  // cannot be written, the old file then stays whole.
  static bool write(const std::string& folder, const std::vector<Quirel_OutputSize>& sizes,
                    std::string* error = nullptr);

  // What the list editor reads: the sizes, the elements that are no dictionaries (kept as
  // read, to be written back), and whether the file was there but no array.
  struct Contents {
    std::vector<Quirel_OutputSize> sizes;
    fnd::Array others;
    bool unreadable = false;
  };
  static Contents readAll(const std::string& folder);
  // The sizes, then the others; an unreadable file is first kept as "OutputSize.xml.unreadable".
  static bool writeAll(const std::string& folder, const std::vector<Quirel_OutputSize>& sizes,
                       const fnd::Array& others, bool setAsideUnreadable, std::string* error = nullptr);
};
