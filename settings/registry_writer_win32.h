// The registry calls beneath SetRegistryString, made for real.
#pragma once

#include "platform/platform.h"

namespace clavitone {

class WinRegistryWriter final : public RegistryWriter {
public:
    std::int32_t RegCreateKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t reserved,
                                 const std::string& keyClass, std::uint32_t options, std::uint32_t access,
                                 const SecurityAttributesRecord& security, RegistryKey& key,
                                 std::uint32_t& disposition) override;
    std::int32_t RegSetValueExA(RegistryKey key, const std::string& valueName, std::uint32_t reserved,
                                std::uint32_t type, const char* data, std::uint32_t size) override;
    std::int32_t RegCloseKey(RegistryKey key) override;
    std::int32_t RegOpenKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                               std::uint32_t access, RegistryKey& key) override;
    std::int32_t RegQueryValueExA(RegistryKey key, const std::string& valueName, std::uint32_t& dataSize) override;
};

}  // namespace clavitone
