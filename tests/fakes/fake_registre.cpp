#include "fakes/fake_registre.h"

#include <algorithm>

#include "fakes/utf16.h"
#include "store/utf16_text.h"

namespace quorvel::testing {
namespace {

constexpr char kAccessDenied[] = "Access is denied.";
constexpr char kNotFound[] = "The system cannot find the file specified.";
constexpr char kBadRoot[] = "The handle is invalid.";

// Names compare without the case of their letters, as far as ASCII and Latin-1 go; folding the UTF-8
// bytes directly is cheap. Latin-1's small letters are C3 A0..BE (but for the sign C3 B7), their capitals
// 0x20 below; "ÿ" (C3 BF) has its capital outside Latin-1, "Ÿ" (C5 B8).
std::string Folded(std::string_view name) {
    std::string folded;
    folded.reserve(name.size());
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        const auto next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
        if (c >= 'a' && c <= 'z') {
            folded += static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && next >= 0xA0 && next <= 0xBE && next != 0xB7) {
            folded += name[i++];
            folded += static_cast<char>(next - 0x20);
        } else if (c == 0xC3 && next == 0xBF) {
            folded += "\xC5\xB8";
            ++i;
        } else {
            folded += name[i];
        }
    }
    return folded;
}

bool IsText(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz; }

}  // namespace

std::string FakeRegistre::FoldedName(std::string_view name) const { return Folded(name); }

std::optional<FakeRegistre::KeyId> FakeRegistre::IdOf(RootKey root, std::string_view path) {
    if (root != kLocalMachine && root != kCurrentUser && root != kLocalMachine32) return std::nullopt;
    return KeyId{root, Folded(path)};
}

FakeRegistre::Key* FakeRegistre::Find(RootKey root, std::string_view path) {
    const auto id = IdOf(root, path);
    if (!id) return nullptr;
    auto it = keys_.find(*id);
    return it == keys_.end() ? nullptr : &it->second;
}

const FakeRegistre::Key* FakeRegistre::Find(RootKey root, std::string_view path) const {
    return const_cast<FakeRegistre*>(this)->Find(root, path);
}

FakeRegistre::Key* FakeRegistre::Create(RootKey root, std::string_view path) {
    if (!IdOf(root, path)) return nullptr;
    // Every parent along the path comes into being too.
    for (size_t slash = path.find('\\'); slash != std::string_view::npos;
         slash = path.find('\\', slash + 1)) {
        keys_.try_emplace(*IdOf(root, path.substr(0, slash)));
    }
    return &keys_[*IdOf(root, path)];
}

void FakeRegistre::Key::Reindex() {
    index.clear();
    for (size_t i = 0; i < values.size(); ++i)
        index[Folded(values[i].name)] = i;
}

FakeRegistre::Value* FakeRegistre::FindValue(Key& key, std::string_view name) {
    auto it = key.index.find(Folded(name));
    return it == key.index.end() ? nullptr : &key.values[it->second];
}

bool FakeRegistre::Refused(Change::Kind kind, RootKey root, std::string_view path,
                           std::string_view name) const {
    return refuse_ && refuse_(Change{kind, root, std::string(path), std::string(name)});
}

void FakeRegistre::Put(Key& key, std::string_view name, RawValue raw) {
    if (Value* existing = FindValue(key, name)) {
        existing->raw = std::move(raw);
    } else {
        key.index[Folded(name)] = key.values.size();
        key.values.push_back({std::string(name), std::move(raw)});
    }
}

bool FakeRegistre::DeleteValue(RootKey root, std::string_view path, std::string_view name) {
    if (!IdOf(root, path)) return Fail(kBadRoot);
    Key* key = Find(root, path);
    if (key == nullptr) return true;
    if (Refused(Change::Kind::kDelete, root, path, name)) return Fail(kAccessDenied);
    if (const Value* value = FindValue(*key, name)) {
        key->values.erase(key->values.begin() + (value - key->values.data()));
        key->Reindex();
        ++counters.deletes;
    }
    return true;
}

bool FakeRegistre::WriteStringValue(RootKey root, std::string_view path, std::string_view name,
                                    std::string_view text) {
    if (!IdOf(root, path)) return Fail(kBadRoot);
    if (Refused(Change::Kind::kWrite, root, path, name)) return Fail(kAccessDenied);
    Put(*Create(root, path), name, RawValue{kRegSz, StringData(text)});
    ++counters.writes;
    return true;
}

bool FakeRegistre::CreateKey(RootKey root, std::string_view path) {
    if (!IdOf(root, path)) return Fail(kBadRoot);
    if (Find(root, path) != nullptr) return true;
    if (Refused(Change::Kind::kCreateKey, root, path, {})) return Fail(kAccessDenied);
    Create(root, path);
    return true;
}

std::string FakeRegistre::ReadStringValue(RootKey root, std::string_view path, std::string_view name) {
    ++counters.reads;
    Key* key = Find(root, path);
    if (key == nullptr) return {};
    const Value* value = FindValue(*key, name);
    if (value == nullptr || !IsText(value->raw.type)) return {};
    return Utf8FromStringData(value->raw.data);
}

bool FakeRegistre::ListValueNames(std::vector<std::string>& list, RootKey root, std::string_view path) {
    std::vector<NamedText> values;
    const bool complete = ListValues(values, root, path);
    for (NamedText& value : values)
        list.push_back(std::move(value.name));
    return complete;
}

bool FakeRegistre::ListValues(std::vector<NamedText>& list, RootKey root, std::string_view path) {
    ++counters.lists;
    const Key* key = Find(root, path);
    if (key == nullptr) return Fail(IdOf(root, path) ? kNotFound : kBadRoot);
    for (const Value& v : key->values) {
        if (v.raw.data.empty()) continue;
        list.push_back(
            {v.name, IsText(v.raw.type) ? Utf8FromStringData(v.raw.data) : std::string(), v.raw.type});
    }
    return true;
}

bool FakeRegistre::ListRawValues(std::vector<NamedValue>& list, RootKey root, std::string_view path) {
    const Key* key = Find(root, path);
    if (key == nullptr) return Fail(IdOf(root, path) ? kNotFound : kBadRoot);
    for (const Value& v : key->values)
        list.push_back({v.name, v.raw});
    return true;
}

bool FakeRegistre::CopyValue(RootKey root, std::string_view from_path, std::string_view to_path,
                             std::string_view name) {
    if (!IdOf(root, from_path)) return Fail(kBadRoot);
    Key* from = Find(root, from_path);
    const Value* source = from != nullptr ? FindValue(*from, name) : nullptr;
    if (source == nullptr) return Fail(kNotFound);
    if (Refused(Change::Kind::kWrite, root, to_path, name)) return Fail(kAccessDenied);
    RawValue raw = source->raw;
    Put(*Create(root, to_path), name, std::move(raw));
    ++counters.writes;
    return true;
}

std::optional<RegistryValue> FakeRegistre::ReadRawValue(RootKey root, std::string_view path,
                                                        std::string_view name) {
    ++counters.reads;
    if (!IdOf(root, path)) {
        Fail(kBadRoot);
        return std::nullopt;
    }
    std::optional<RawValue> value = GetRaw(root, path, name);
    if (!value) Fail(kNotFound);
    return value;
}

bool FakeRegistre::WriteRawValue(RootKey root, std::string_view path, std::string_view name,
                                 const RegistryValue& value) {
    if (!IdOf(root, path)) return Fail(kBadRoot);
    if (Refused(Change::Kind::kWrite, root, path, name)) return Fail(kAccessDenied);
    Put(*Create(root, path), name, value);
    ++counters.writes;
    return true;
}

void FakeRegistre::SetRaw(RootKey root, std::string_view path, std::string_view name, RawValue value) {
    Put(*Create(root, path), name, std::move(value));
}

void FakeRegistre::SetString(RootKey root, std::string_view path, std::string_view name,
                             std::string_view text) {
    SetRaw(root, path, name, RawValue{kRegSz, StringData(text)});
}

std::optional<RawValue> FakeRegistre::GetRaw(RootKey root, std::string_view path,
                                             std::string_view name) const {
    const Key* key = Find(root, path);
    const Value* value = key != nullptr ? FindValue(*key, name) : nullptr;
    if (value == nullptr) return std::nullopt;
    return value->raw;
}

bool FakeRegistre::KeyExists(RootKey root, std::string_view path) const {
    return Find(root, path) != nullptr;
}

void FakeRegistre::DeleteTree(RootKey root, std::string_view path) {
    const auto id = IdOf(root, path);
    if (!id) return;
    const std::string prefix = id->second + "\\";
    std::erase_if(keys_, [&](const auto& entry) {
        const auto& [key_root, key_path] = entry.first;
        return key_root == root && (key_path == id->second || key_path.starts_with(prefix));
    });
}

std::vector<std::string> FakeRegistre::AllNames(RootKey root, std::string_view path) const {
    std::vector<std::string> names;
    if (const Key* key = Find(root, path)) {
        for (const Value& v : key->values)
            names.push_back(v.name);
    }
    return names;
}

}  // namespace quorvel::testing
