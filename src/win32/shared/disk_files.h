#pragma once
// Whole files on disk, replaced in one step.

#include <windows.h>

#include "platform/files.h"

namespace quorvel::win32 {

class DiskFiles final : public FileSystem {
  public:
    std::optional<std::string> ReadFile(std::string_view path) override;
    bool Exists(std::string_view path) override;
    bool ReplaceFile(std::string_view path, std::string_view bytes) override;
    bool CreateFolder(std::string_view path) override;
    bool OnlyAdministratorsCanChange(std::string_view path) override;
    std::string LastError() const override;

  private:
    // Notes why the last call failed: the system's reason, or `otherwise` where it gave none.
    bool Fail(DWORD otherwise);
    DWORD last_error_ = ERROR_SUCCESS;
};

}  // namespace quorvel::win32
