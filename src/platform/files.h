#pragma once
// Whole-file reading and writing, for the settings file and saved startup lists, and what the program
// needs to know of folders.

#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // The file's bytes, or nothing when it cannot be opened.
    virtual std::optional<std::string> ReadFile(std::string_view path) = 0;
    // Whether there is a file at the path, also one that cannot be read.
    virtual bool Exists(std::string_view path) = 0;
    // Writes a temporary file beside the target and puts it in the target's place in one step, so
    // that a crash or a full disk never leaves a half-written file behind.
    virtual bool ReplaceFile(std::string_view path, std::string_view bytes) = 0;
    // Creates the folder and any missing folder above it; true when it is there afterwards.
    virtual bool CreateFolder(std::string_view path) = 0;
    // Whether only administrators (and the system) can change the file at the path: no other account may
    // write it, put another in its place, or replace a folder it lies in.
    virtual bool OnlyAdministratorsCanChange(std::string_view path) = 0;
    // Why the last failed call failed, in the system's words.
    virtual std::string LastError() const = 0;
};

}  // namespace quorvel
