// Drives the program's registry store from the command line, so the
// end-to-end tests can check it against what `wine reg` sees:
//   store_probe save <section> <key> <value>
//   store_probe get <section> <key> <default>       prints the value
//   store_probe number <section> <key> <default>    prints the number read
//   store_probe delete <section> <key>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/number_text.h"
#include "settings/registry_store_win32.h"
#include "settings/settings_layout.h"

int main(int argc, char** argv)
{
    using namespace clavitone;
    if (argc < 4)
        return 2;
    const std::string command = argv[1];
    const std::string section = argv[2];
    const std::string key = argv[3];
    RegistryStore store;
    if (command == "save" && argc == 5) {
        store.SaveSetting(AppName, section, key, argv[4]);
    } else if (command == "get" && argc == 5) {
        std::printf("%s\n", store.GetSetting(AppName, section, key, argv[4]).c_str());
    } else if (command == "number" && argc == 5) {
        const auto fallback = ParseNumber(argv[4]);
        if (!fallback)
            return 2;
        std::printf("%s\n", store.GetSetting(AppName, section, key, *fallback).c_str());
    } else if (command == "delete" && argc == 4) {
        store.DeleteSetting(AppName, section, key);
    } else {
        return 2;
    }
    return 0;
}
