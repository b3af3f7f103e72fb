#pragma once
// The running process: one instance only, its end, and its folder.

#include <cstdint>
#include <string>

namespace quorvel {

struct RestartResult {
    bool started = false;
    bool cancelled = false;  // the user said no to Windows' question; nothing else to tell
    std::string error;       // why the new instance did not start, in words a user can read
};

class ProcessControl {
  public:
    virtual ~ProcessControl() = default;
    // True when this is the only running instance; claims the instance for this process.
    virtual bool ClaimSingleInstance() = 0;
    // The same for an instance that takes over from one that is ending: while another holds the claim,
    // tries again for a bounded time.
    virtual bool AwaitSingleInstance() = 0;
    // Tells the instance that runs already that the program was started again (its Second_Start), and
    // whether with "-auto".
    virtual void CallFirstInstance(bool automatic) = 0;
    // Waits, for a bounded time, until the process of this id has ended.
    virtual void WaitForEnd(std::uint32_t process_id) = 0;
    // Whether the program runs with an administrator's rights.
    virtual bool IsElevated() const = 0;
    // Starts the program again with an administrator's rights (Windows asks the user), telling the new
    // instance to wait until this one has ended.
    virtual RestartResult RestartAsAdministrator() = 0;
    // Ends the process at once: no closing handler runs and nothing is saved.
    virtual void EndProcess() = 0;
    // The folder of the program's executable file, without a trailing backslash.
    virtual std::string ProgramFolder() const = 0;
    // The folder for the program's own files of the user it runs as (%LOCALAPPDATA%\Quorvel), without a
    // trailing backslash; empty where the system names none. It need not exist yet.
    virtual std::string UserFolder() const = 0;
};

}  // namespace quorvel
