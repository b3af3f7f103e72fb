#pragma once
// The program's only way into the registry for its startup entries. Text is UTF-8 on this side (WTF-8
// where a name is no valid UTF-16, see store/utf16_text.h, and a NUL is a byte of the name); the
// Windows implementation converts at the API boundary so that no name or command is mangled.
// Every operation reports whether it did what was asked; callers that must stay silent ignore it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvel {

// A predefined root key, as the 32-bit signed value that saved startup lists store.
using RootKey = std::int32_t;
inline constexpr RootKey kLocalMachine = static_cast<RootKey>(0x80000002u);
inline constexpr RootKey kCurrentUser = static_cast<RootKey>(0x80000001u);
// HKEY_LOCAL_MACHINE as 32-bit programs see it (its SOFTWARE key is WOW6432Node for 64-bit ones): the
// machine's root value with the bit that asks for the 32-bit view (KEY_WOW64_32KEY). No predefined
// key has this value, so a program that does not know the view refuses such a root instead of
// writing to the 64-bit one.
inline constexpr RootKey kLocalMachine32 = static_cast<RootKey>(0x80000202u);
// The Startup folders as the roots of the items they hold, the user's and the one for all users, in
// the same place of a saved list. No predefined key has these values either: a program that knows only
// the registry refuses such an entry as it refuses any root it does not know, and HasRoot is false for
// them in every registry.
inline constexpr RootKey kUserStartupFolder = static_cast<RootKey>(0x80010001u);
inline constexpr RootKey kAllUsersStartupFolder = static_cast<RootKey>(0x80010002u);

// Registry value types, numbered as the system numbers them.
inline constexpr std::uint32_t kValueTypeString = 1;        // REG_SZ
inline constexpr std::uint32_t kValueTypeExpandString = 2;  // REG_EXPAND_SZ: %NAME% references to expand
inline constexpr std::uint32_t kValueTypeBinary = 3;        // REG_BINARY
inline constexpr std::uint32_t kValueTypeNumber = 4;        // REG_DWORD

// One value as the collection needs it: its name, its command line and its type.
struct NamedText {
    std::string name;
    std::string text;  // empty for a value that holds no text
    std::uint32_t type = kValueTypeString;
    bool operator==(const NamedText&) const = default;
};

// A value as the registry stores it: its type and raw bytes (text as UTF-16LE).
struct RegistryValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
    bool operator==(const RegistryValue&) const = default;
};

struct NamedValue {
    std::string name;
    RegistryValue value;
};

class Registre {
  public:
    virtual ~Registre() = default;

    // Deletes one value. Never creates the key.
    virtual bool DeleteValue(RootKey root, std::string_view path, std::string_view name) = 0;

    // Writes a REG_SZ value, creating the key and its missing parents; replaces a value of any type.
    virtual bool WriteStringValue(RootKey root, std::string_view path, std::string_view name,
                                  std::string_view text) = 0;

    // Creates the key (and its parents) if it is missing; an existing key keeps its values.
    virtual bool CreateKey(RootKey root, std::string_view path) = 0;

    // The text of a REG_SZ or REG_EXPAND_SZ value (unexpanded), up to its first NUL; empty for a
    // missing key or value and for every other type. Never creates the key.
    virtual std::string ReadStringValue(RootKey root, std::string_view path, std::string_view name) = 0;

    // Appends the names of the values that hold data, in enumeration order. A value whose data is
    // empty is not listed; the unnamed value is listed as "". Returns false when the key could not be
    // opened or the enumeration broke off; names found until then are kept.
    virtual bool ListValueNames(std::vector<std::string>& list, RootKey root, std::string_view path) = 0;

    // ListValueNames and ReadStringValue of each listed name, in a single pass over the key.
    virtual bool ListValues(std::vector<NamedText>& list, RootKey root, std::string_view path) = 0;

    // Every value of the key with its type and raw data, empty ones included, in enumeration order.
    virtual bool ListRawValues(std::vector<NamedValue>& list, RootKey root, std::string_view path) = 0;

    // Whether this system has the root: the 32-bit view exists only where Windows is 64-bit.
    virtual bool HasRoot(RootKey root) const = 0;

    // Copies a value with its own type and raw data into another key of the same root, creating that
    // key and replacing a value of the same name there. False when the source is missing or the
    // write was refused.
    virtual bool CopyValue(RootKey root, std::string_view from_path, std::string_view to_path,
                           std::string_view name) = 0;

    // The value's type and raw data; nothing when it is missing. Never creates the key.
    virtual std::optional<RegistryValue> ReadRawValue(RootKey root, std::string_view path,
                                                      std::string_view name) = 0;

    // Writes a value with the given type and raw data, creating the key if needed.
    virtual bool WriteRawValue(RootKey root, std::string_view path, std::string_view name,
                               const RegistryValue& value) = 0;

    // A value name in the form in which two names are the same value exactly when their forms are
    // equal: the registry compares names ordinally, ignoring letter case as the system's upper-case
    // table does ("EVIL" and "Evil" are one value; a key cannot hold both). Nothing is trimmed.
    virtual std::string FoldedName(std::string_view name) const = 0;

    // Why the last operation that returned false failed, in the system's words ("Access is denied.").
    virtual std::string LastError() const = 0;
};

}  // namespace quorvel
