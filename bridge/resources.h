// Where the program's resource files are: $ZUB_RESOURCE_DIR when set; else,
// for an installed program, share/zubaroo beside its bin folder; else the
// source tree's resources folder the program was built from.
#pragma once

#include <string>

#include "bridge/plist.h"

namespace zub {

// resource_directory() -> "/usr/local/share/zubaroo" for an installed zubaroo.
const std::string& resource_directory();

// resource_path("MyConstants.plist") -> resource_directory() + "/MyConstants.plist".
std::string resource_path(const std::string& name);

// resource_table("MyConstants.plist") -> the property list in that resource
// file, read by the constants and parameters tables. Bridge_exception
// "Cannot read resource: <path>" when the file cannot be read, or the
// reasons of read_plist for its contents.
Plist resource_table(const std::string& name);

// cache_directory() -> the folder holding the prebuilt chord-scale compatibility
// cache: the resource directory when it has one (an installed program), else
// the build tree's resources, where the build puts it.
std::string cache_directory();

}  // namespace zub
