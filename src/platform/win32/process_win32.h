#pragma once
// The process itself: one instance per session, its folder, its end, and the message pump.

#include <windows.h>

#include <string>

#include "platform/shell.h"
#include "platform/win32/handles.h"

namespace quorvel::win32 {

class ProcessWin32 final : public ProcessControl, public EventPump {
  public:
    bool ClaimSingleInstance() override;
    void EndProcess() override;
    std::string ProgramFolder() const override;
    void ProcessPendingEvents() override;

    // The full path of the running executable.
    static std::wstring ModulePath();

  private:
    UniqueKernelHandle instance_mutex_;
};

}  // namespace quorvel::win32
