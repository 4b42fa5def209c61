// The ways of patching a ROM file that the fault sweep drives: the model's patchRom and every
// front end that patches a file in place.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "file_io.h"
#include "stat_layout.h"

namespace zentrax::test {

struct PatchSubject {
  std::string name;  // letters, digits and underscores: it names the test case
  // What the file holds after a successful patch of a file that held original.
  std::function<RomImage(const RomImage& original)> expected;
  // Patches the file at path, making every system call through io; true when the subject
  // reported success to its user.
  std::function<bool(const std::string& path, FileIo& io)> patch;
  // Optional: whatever the subject must still hold after any patch, failed or not (the
  // editor's field texts, for one).
  std::function<::testing::AssertionResult()> stateKept;
};

// Test names and failure messages show the subject by its name.
inline void PrintTo(const PatchSubject& subject, std::ostream* out) {
  *out << subject.name;
}

PatchSubject modelPatchSubject();
#ifdef ZENTRAX_SWEEP_CLI
PatchSubject cliSetSubject();
#endif
#ifdef ZENTRAX_SWEEP_EDITOR
PatchSubject editorPatchSubject();
#endif

}  // namespace zentrax::test
