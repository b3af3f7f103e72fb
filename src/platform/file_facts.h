#pragma once
// What a program file is: a cheap look at whether it is there and in which state, and an expensive
// one at who signed and who claims to have made it. The expensive one reads the whole file and asks
// the system's trust store, so it is asked only for files whose state is not already known.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvel {

// A file's state as far as telling a changed file from an unchanged one goes.
struct FileStamp {
    std::uint64_t size = 0;
    // The time of its last change, as the system counts it (100 ns steps since 1601, UTC).
    std::uint64_t changed = 0;
    bool operator==(const FileStamp&) const = default;
};

enum class Signature {
    kNone,        // the file carries no signature, and no catalog of the system names it
    kVerified,    // a signature that holds and leads to a certificate the system trusts
    kNotTrusted,  // a signature is there, but it is broken, expired, revoked or of an unknown signer
    kUnknown,     // the file could not be read, so nothing can be said
};

struct FileDetails {
    Signature signature = Signature::kUnknown;
    // The name of whoever signed it, where there is a signature (trusted or not).
    std::string signer;
    // The company its version resource names: anyone can write any name there.
    std::string company;
    bool operator==(const FileDetails&) const = default;
};

class FileFacts {
  public:
    virtual ~FileFacts() = default;
    // The file's state; nothing where no file is (a folder is none). Costs one look at the folder.
    virtual std::optional<FileStamp> Stamp(std::string_view path) = 0;
    // The file's signature and version resource. Reads and hashes the file: tens of milliseconds.
    // Never waits on the network: certificates are checked against what the machine has.
    virtual FileDetails Examine(std::string_view path) = 0;
    // Loads the next part of what examinations need, which the first of them would otherwise load all
    // at once; true once everything is. A program that must stay responsive calls it once per idle
    // moment until then.
    virtual bool Prepare() { return true; }
};

}  // namespace quorvel
