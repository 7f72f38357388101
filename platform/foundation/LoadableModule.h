#pragma once

#include <string>

namespace fnd {

// A shared object opened at run time, beside the library that needs it, for what it serves
// through one entry function: the parts of the platform whose libraries start-up should not load.
class LoadableModule {
 public:
  // The folder (with its trailing slash) of the shared object holding address; empty when unknown.
  static std::string folderContaining(const void* address);

  // Opens path and answers what its entry function (taking nothing, answering a pointer to its
  // table) answers. Null with why when the file cannot be opened, has no such entry or the entry
  // answers nothing; the file is then closed again. Otherwise *handle keeps it open: a module
  // that serves stays loaded for the life of the process, as what it made may live until exit.
  static const void* open(const std::string& path, const char* entry, void** handle, std::string* why);

  // Closes a module that was opened but is not to be used (a table its caller refuses).
  static void close(void* handle);
};

}  // namespace fnd
