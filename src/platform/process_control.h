#pragma once
// The running process: one instance only, its end, and its folder.

#include <string>

namespace quorvel {

class ProcessControl {
  public:
    virtual ~ProcessControl() = default;
    // True when this is the only running instance; claims the instance for this process.
    virtual bool ClaimSingleInstance() = 0;
    // Tells the instance that runs already that the program was started again (its Second_Start).
    virtual void CallFirstInstance() = 0;
    // Ends the process at once: no closing handler runs and nothing is saved.
    virtual void EndProcess() = 0;
    // The folder of the program's executable file, without a trailing backslash.
    virtual std::string ProgramFolder() const = 0;
};

}  // namespace quorvel
