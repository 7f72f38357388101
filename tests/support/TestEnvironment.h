#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace testenv {

// The folder this test process owns: settings, pictures and temporary files go below it.
const std::filesystem::path& root();

// A fresh, empty folder below root() for one test.
std::filesystem::path freshFolder(const std::string& name);

// The folder with the test suites' fixtures (tests/ in the source tree).
std::filesystem::path sourceDir();

// Points XDG_CONFIG_HOME, the pictures folder, TMPDIR and the resource folder at test
// locations. Called by the test mains before any test runs.
void setUp();

// Removes root() unless TRIVOLAN_KEEP_TEST_FILES is set.
void tearDown();

// Sets an environment variable for a scope and puts the old value (or its absence) back.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

}  // namespace testenv
