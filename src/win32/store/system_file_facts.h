#pragma once
// Program files as this Windows sees them: their state on the disk, their Authenticode signature
// (their own, or one of the system's catalogs) and their version resource. The trust and version
// libraries are loaded on the first examination, so that starts that examine nothing never pay
// for them.

#include "platform/file_facts.h"

namespace quorvel::win32 {

class SystemFileFacts final : public FileFacts {
  public:
    std::optional<FileStamp> Stamp(std::string_view path) override;
    FileDetails Examine(std::string_view path) override;
    // The libraries, the user's and the machine's trusted roots (which Wine fills from the host's
    // certificates at their first opening in a process, a tenth of a second or more), then a first
    // examination of the program's own file.
    bool Prepare() override;

  private:
    int prepared_ = 0;
};

}  // namespace quorvel::win32
