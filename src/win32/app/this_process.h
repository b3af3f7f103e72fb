#pragma once
// The running process: one instance per session, its folder, and its end.

#include <windows.h>

#include <string>

#include "platform/process_control.h"
#include "win32/shared/handles.h"

namespace quorvel::win32 {

class ThisProcess final : public ProcessControl {
  public:
    // `window` owns Windows' question when the program restarts as an administrator.
    explicit ThisProcess(HWND window = nullptr) : window_(window) {}
    bool ClaimSingleInstance() override;
    bool AwaitSingleInstance() override;
    void CallFirstInstance(bool automatic) override;
    void WaitForEnd(std::uint32_t process_id) override;
    bool IsElevated() const override;
    RestartResult RestartAsAdministrator() override;
    void EndProcess() override;
    std::string ProgramFolder() const override;
    std::string UserFolder() const override;

    // The full path of the running executable.
    static std::wstring ModulePath();

  private:
    HWND window_;
    UniqueKernelHandle instance_mutex_;
};

}  // namespace quorvel::win32
