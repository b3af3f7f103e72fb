#pragma once
// The startup keys in the system's registry, through advapi32's wide-character functions.

#include <windows.h>

#include "platform/registre.h"

namespace quorvel::win32 {

class SystemRegistre final : public Registre {
  public:
    bool DeleteValue(RootKey root, std::string_view path, std::string_view name) override;
    bool WriteStringValue(RootKey root, std::string_view path, std::string_view name,
                          std::string_view text) override;
    bool CreateKey(RootKey root, std::string_view path) override;
    std::string ReadStringValue(RootKey root, std::string_view path, std::string_view name) override;
    bool ListValueNames(std::vector<std::string>& list, RootKey root, std::string_view path) override;
    bool ListValues(std::vector<NamedText>& list, RootKey root, std::string_view path) override;
    bool ListRawValues(std::vector<NamedValue>& list, RootKey root, std::string_view path) override;
    bool HasRoot(RootKey root) const override;
    bool CopyValue(RootKey root, std::string_view from_path, std::string_view to_path,
                   std::string_view name) override;
    std::optional<RegistryValue> ReadRawValue(RootKey root, std::string_view path,
                                              std::string_view name) override;
    bool WriteRawValue(RootKey root, std::string_view path, std::string_view name,
                       const RegistryValue& value) override;
    std::string FoldedName(std::string_view name) const override;
    std::string LastError() const override;

  private:
    // Fills `list` by `read(items)`, again while another program changes the key during the reading.
    template <typename Item, typename Read>
    LSTATUS ReadSteadily(HKEY key, std::vector<Item>& list, Read&& read);
    // Remembers a failure's status for LastError and returns whether the call succeeded.
    bool Check(LSTATUS status);

    LSTATUS last_error_ = ERROR_SUCCESS;
};

}  // namespace quorvel::win32
