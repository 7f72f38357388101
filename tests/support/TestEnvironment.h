#pragma once

#include <filesystem>
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

}  // namespace testenv
