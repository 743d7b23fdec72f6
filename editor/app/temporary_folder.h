// The temporary folder of the editor: the system's temporary folder joined
// with "ZUB2", where generated MIDI files go; emptied at quit.
#pragma once

#include <string>

namespace zub {

// temporaryDirectoryName() -> "/tmp/ZUB2" (from the system's temporary folder).
std::string temporaryDirectoryName();
// createTemporaryDirectory() makes it when missing; Bridge_exception
// "createTemporaryDirectory" with "Can't create temporary directory" otherwise.
void createTemporaryDirectory();
// deleteAllTemporaryFiles() removes every entry under it (nothing when it is missing).
void deleteAllTemporaryFiles();

}  // namespace zub
