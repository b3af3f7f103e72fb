#pragma once
// An in-memory registry that behaves like the real one wherever the program can tell: typed values
// stored as raw bytes (strings as UTF-16LE with their terminator), names counted (a NUL is part of
// the name) and compared without case by the fake's own FoldedName,
// values enumerated in creation order, missing keys, and refused changes. The contract suite runs
// the same cases against it and against the real registry under Wine.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/registre.h"

namespace quorvel::testing {

inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;

using RawValue = RegistryValue;

// A change the fake is about to make; a refusal rule sees it first.
struct Change {
    enum class Kind { kWrite, kDelete, kCreateKey } kind;
    RootKey root;
    std::string path;
    std::string name;
};

class FakeRegistre final : public Registre {
  public:
    bool DeleteValue(RootKey root, std::string_view path, std::string_view name) override;
    bool WriteStringValue(RootKey root, std::string_view path, std::string_view name,
                          std::string_view text) override;
    bool CreateKey(RootKey root, std::string_view path) override;
    std::string ReadStringValue(RootKey root, std::string_view path, std::string_view name) override;
    bool ListValueNames(std::vector<std::string>& list, RootKey root, std::string_view path) override;
    bool ListValues(std::vector<NamedText>& list, RootKey root, std::string_view path) override;
    bool ListRawValues(std::vector<NamedValue>& list, RootKey root, std::string_view path) override;
    bool HasRoot(RootKey root) const override {
        return IdOf(root, {}).has_value() && (root != kLocalMachine32 || has_32bit_view);
    }
    bool CopyValue(RootKey root, std::string_view from_path, std::string_view to_path,
                   std::string_view name) override;
    std::optional<RegistryValue> ReadRawValue(RootKey root, std::string_view path,
                                              std::string_view name) override;
    bool WriteRawValue(RootKey root, std::string_view path, std::string_view name,
                       const RegistryValue& value) override;
    std::string FoldedName(std::string_view name) const override;
    std::string LastError() const override { return last_error_; }

    // Refuses every change for which the rule answers true, as the system does for a user without rights.
    void SetRefusal(std::function<bool(const Change&)> rule) { refuse_ = std::move(rule); }
    void RefuseChangesUnder(RootKey root) {
        SetRefusal([root](const Change& c) { return c.root == root; });
    }

    // Direct access for tests, bypassing refusals and counters.
    void SetRaw(RootKey root, std::string_view path, std::string_view name, RawValue value);
    void SetString(RootKey root, std::string_view path, std::string_view name, std::string_view text);
    std::optional<RawValue> GetRaw(RootKey root, std::string_view path, std::string_view name) const;
    bool KeyExists(RootKey root, std::string_view path) const;
    void DeleteTree(RootKey root, std::string_view path);
    // Names of a key's values in enumeration order, data or not.
    std::vector<std::string> AllNames(RootKey root, std::string_view path) const;

    struct Counters {
        int reads = 0;    // ReadStringValue calls
        int lists = 0;    // ListValueNames and ListValues calls
        int writes = 0;   // successful value writes
        int deletes = 0;  // values actually deleted
    };
    Counters counters;
    // A 64-bit Windows: HKEY_LOCAL_MACHINE has its 32-bit view, kept apart from the 64-bit one.
    bool has_32bit_view = true;

  private:
    struct Value {
        std::string name;
        RawValue raw;
    };
    struct Key {
        std::vector<Value> values;
        // Folded name to position in values, so that large keys stay cheap.
        std::map<std::string, size_t> index;
        void Reindex();
    };
    using KeyId = std::pair<RootKey, std::string>;

    static std::optional<KeyId> IdOf(RootKey root, std::string_view path);
    Key* Find(RootKey root, std::string_view path);
    const Key* Find(RootKey root, std::string_view path) const;
    Key* Create(RootKey root, std::string_view path);
    static Value* FindValue(Key& key, std::string_view name);
    static const Value* FindValue(const Key& key, std::string_view name) {
        return FindValue(const_cast<Key&>(key), name);
    }
    bool Refused(Change::Kind kind, RootKey root, std::string_view path, std::string_view name) const;
    void Put(Key& key, std::string_view name, RawValue raw);

    bool Fail(std::string reason) {
        last_error_ = std::move(reason);
        return false;
    }

    std::map<KeyId, Key> keys_;
    std::string last_error_;
    std::function<bool(const Change&)> refuse_;
};

}  // namespace quorvel::testing
