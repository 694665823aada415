#include "settings/registry_store_win32.h"

#include <windows.h>

#include <cstring>

#include "platform/scoped_win32.h"

namespace clavitone {

namespace {

std::string SectionPath(std::string_view application, std::string_view section)
{
    std::string path = "Software\\";
    path.append(application).append("\\").append(section);
    return path;
}

ScopedKey OpenSection(std::string_view application, std::string_view section, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(application, section).c_str(), 0, access, &key) != ERROR_SUCCESS)
        return {};
    return ScopedKey(key);
}

}  // namespace

std::optional<std::string> RegistryStore::Read(std::string_view application, std::string_view section,
                                               std::string_view key)
{
    ScopedKey sectionKey = OpenSection(application, section, KEY_QUERY_VALUE);
    if (!sectionKey)
        return std::nullopt;
    const std::string name(key);
    // The value may grow between the size query and the read; ask again then.
    for (;;) {
        DWORD size = 0;
        if (RegGetValueA(sectionKey.get(), nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS)
            return std::nullopt;
        std::string value(size, '\0');
        const LONG result = RegGetValueA(sectionKey.get(), nullptr, name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &size);
        if (result == ERROR_MORE_DATA)
            continue;
        if (result != ERROR_SUCCESS)
            return std::nullopt;
        value.resize(std::strlen(value.c_str()));  // the size counts the NUL, perhaps more than one
        return value;
    }
}

void RegistryStore::Write(std::string_view application, std::string_view section, std::string_view key,
                          std::string_view value)
{
    HKEY created = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(application, section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &created, nullptr) != ERROR_SUCCESS)
        return;
    ScopedKey sectionKey(created);
    const std::string name(key);
    const std::string data(value);
    RegSetValueExA(sectionKey.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>(data.size() + 1));
}

void RegistryStore::Remove(std::string_view application, std::string_view section, std::string_view key)
{
    ScopedKey sectionKey = OpenSection(application, section, KEY_SET_VALUE);
    if (sectionKey)
        RegDeleteValueA(sectionKey.get(), std::string(key).c_str());
}

}  // namespace clavitone
