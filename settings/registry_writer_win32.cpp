#include "settings/registry_writer_win32.h"

#include <windows.h>

namespace clavitone {

namespace {

// A root handle value is sign-extended to the pointer's width, as the Windows
// headers define HKEY_LOCAL_MACHINE and its siblings.
HKEY RootKey(std::uint32_t root)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

}  // namespace

std::int32_t WinRegistryWriter::RegCreateKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t reserved,
                                                const std::string& keyClass, std::uint32_t options,
                                                std::uint32_t access, const SecurityAttributesRecord& security,
                                                RegistryKey& key, std::uint32_t& disposition)
{
    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = security.nLength;
    attributes.lpSecurityDescriptor = reinterpret_cast<void*>(security.lpSecurityDescriptor);
    attributes.bInheritHandle = security.bInheritHandle;
    std::string className = keyClass;
    HKEY created = nullptr;
    DWORD how = 0;
    const LONG result = ::RegCreateKeyExA(RootKey(root), subKey.c_str(), reserved, className.data(), options, access,
                                          &attributes, &created, &how);
    if (result == ERROR_SUCCESS) {
        key = reinterpret_cast<RegistryKey>(created);
        disposition = how;
    }
    return result;
}

std::int32_t WinRegistryWriter::RegSetValueExA(RegistryKey key, const std::string& valueName, std::uint32_t reserved,
                                               std::uint32_t type, const char* data, std::uint32_t size)
{
    return ::RegSetValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(), reserved, type,
                            reinterpret_cast<const BYTE*>(data), size);
}

std::int32_t WinRegistryWriter::RegCloseKey(RegistryKey key)
{
    return ::RegCloseKey(reinterpret_cast<HKEY>(key));
}

std::int32_t WinRegistryWriter::RegOpenKeyExA(std::uint32_t root, const std::string& subKey, std::uint32_t options,
                                              std::uint32_t access, RegistryKey& key)
{
    HKEY opened = nullptr;
    const LONG result = ::RegOpenKeyExA(RootKey(root), subKey.c_str(), options, access, &opened);
    if (result == ERROR_SUCCESS)
        key = reinterpret_cast<RegistryKey>(opened);
    return result;
}

std::int32_t WinRegistryWriter::RegQueryValueExA(RegistryKey key, const std::string& valueName,
                                                 std::uint32_t& dataSize)
{
    DWORD size = 0;
    const LONG result =
        ::RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(), nullptr, nullptr, nullptr, &size);
    if (result == ERROR_SUCCESS)
        dataSize = size;
    return result;
}

}  // namespace clavitone
